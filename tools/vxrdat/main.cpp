// vxrdat: the record tool for task authors and graders.
//
//   vxrdat dump [--json] FILE      the descrambled record, readable or as JSON
//   vxrdat build TASK.json FILE    a scrambled data file from a JSON description
//   vxrdat diff A B                what differs between two data files

#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "data_file.h"
#include "json_diff.h"
#include "task_json.h"
#include "text_dump.h"

namespace {

using namespace vxr::vxrdat;
using nlohmann::json;

constexpr const char* kUsage =
    "usage: vxrdat dump [--json] FILE\n"
    "       vxrdat build TASK.json FILE\n"
    "       vxrdat diff A B\n";

void printWarnings(const vxr::model::MachineRecord& record, const std::string& file) {
    for (const auto& warning : recordWarnings(record)) std::cerr << "vxrdat: warning: " << file << ": " << warning << "\n";
}

int dump(const std::vector<std::string>& args) {
    const bool asJson = args.size() == 2 && args[0] == "--json";
    if (args.size() != 1 && !asJson) throw ToolError(std::string("dump takes [--json] FILE\n") + kUsage);
    const std::string file = args.back();
    const auto record = readDataFile(file);
    printWarnings(record, file);
    if (asJson) {
        std::cout << recordToJson(record).dump(2) << "\n";
    } else {
        printRecord(std::cout, record);
    }
    return 0;
}

json readTask(const std::string& file) {
    std::ifstream in(file);
    if (!in) throw ToolError(file + ": cannot open");
    try {
        return json::parse(in);
    } catch (const json::parse_error& error) {
        throw ToolError(file + ": not valid JSON: " + error.what());
    }
}

int build(const std::vector<std::string>& args) {
    if (args.size() != 2) throw ToolError(std::string("build takes TASK.json FILE\n") + kUsage);
    try {
        const auto record = recordFromJson(readTask(args[0]));
        printWarnings(record, args[0]);
        writeDataFile(args[1], record);
    } catch (const SchemaError& error) {
        throw ToolError(args[0] + ": " + error.what());
    }
    return 0;
}

int diff(const std::vector<std::string>& args) {
    if (args.size() != 2) throw ToolError(std::string("diff takes two data files\n") + kUsage);
    const auto before = recordToJson(readDataFile(args[0]));
    const auto after = recordToJson(readDataFile(args[1]));
    const auto lines = jsonDifferences(before, after);
    for (const auto& line : lines) std::cout << line << "\n";
    return lines.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> all(argv + 1, argv + argc);
    if (all.empty() || all[0] == "-h" || all[0] == "--help") {
        (all.empty() ? std::cerr : std::cout) << kUsage;
        return all.empty() ? 2 : 0;
    }
    const std::vector<std::string> args(all.begin() + 1, all.end());
    try {
        if (all[0] == "dump") return dump(args);
        if (all[0] == "build") return build(args);
        if (all[0] == "diff") return diff(args);
        std::cerr << "vxrdat: unknown command '" << all[0] << "'\n" << kUsage;
        return 2;
    } catch (const ToolError& error) {
        std::cerr << "vxrdat: " << error.what() << "\n";
        return 2;
    }
}
