#pragma once
// Saving the machine record wherever it belongs, and starting from the file
// as it is. Two unlinked copies on one data file must never drop each
// other's jobs, and a save that did not reach a file is never a success.

#include <string>

namespace vxr::app {
class TForm1;
}

namespace vxr::operations {

// Reads the data file again when another copy has saved it since this copy
// last read or wrote it, so that a job starts from the file as it is. A
// file that cannot be read leaves the record as it was (the save will tell).
void RefreshRecord(app::TForm1& w);

// Saves the record to the data file and, for an assessment copy, then to
// A:\VXR.DAT, the data file staying the one in use. Each write is traced as
// a `save` event of kind `what`; a failed one carries the system's reason,
// which standard error repeats with the host file. True when every file
// was written; the copy is not attempted when the data file failed.
bool SaveRecordFiles(app::TForm1& w, const std::string& what);
// The two halves of SaveRecordFiles: the data file, then the assessment's
// copy (true at once for a copy that is not one).
bool SaveDataFile(app::TForm1& w, const std::string& what);
bool SaveAssessmentCopy(app::TForm1& w, const std::string& what);

}  // namespace vxr::operations
