#include "operations/record_saves.h"

#include <iostream>

#include "app/screens.h"
#include "app/tform1.h"
#include "platform/record_file.h"

namespace vxr::operations {

namespace {

bool reportSave(app::TForm1& w, const std::string& what, const std::string& file, int result) {
    nlohmann::json fields{{"what", what}, {"file", file}, {"result", result}};
    if (result != 0) {
        const std::string reason = platform::describeFileError(result);
        fields["reason"] = reason;
        std::cerr << "vxr: cannot save " << w.screens().describeDataFile(file) << ": " << reason << std::endl;
    }
    w.trace.write("save", fields);
    return result == 0;
}

}  // namespace

void RefreshRecord(app::TForm1& w) { (void)w.computer.ReloadIfChanged(); }

bool SaveRecordFiles(app::TForm1& w, const std::string& what) {
    return SaveDataFile(w, what) && SaveAssessmentCopy(w, what);
}

bool SaveDataFile(app::TForm1& w, const std::string& what) {
    return reportSave(w, what, w.computer.FileName, w.computer.SaveRecord());
}

bool SaveAssessmentCopy(app::TForm1& w, const std::string& what) {
    if ((w.restrictionFlags & model::kAssessmentCopy) == 0) return true;
    const std::string copy = model::kAssessmentDataFile;
    return reportSave(w, what, copy, w.computer.SaveCopy(copy));
}

}  // namespace vxr::operations
