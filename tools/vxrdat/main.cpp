// vxrdat: the record tool for task authors and graders.
//
//   vxrdat dump [--json] FILE      the descrambled record, readable or as JSON
//   vxrdat build TASK.json FILE    a scrambled data file from a JSON description
//   vxrdat diff A B                what differs between two data files
//   vxrdat check TASK.json RESULT.DAT...   grade result files against the task's expect list
//                                          (exit 0 all passed, 1 an item failed, 2 task or
//                                          usage error, 3 a result file could not be read)
//   vxrdat expect START.DAT RESULT.DAT     an expect list describing what changed

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "check_report.h"
#include "data_file.h"
#include "derive.h"
#include "expectations.h"
#include "json_diff.h"
#include "task_json.h"
#include "text_dump.h"

namespace {

using namespace vxr::vxrdat;
using nlohmann::json;

constexpr const char* kUsage =
    "usage: vxrdat dump [--json] FILE\n"
    "       vxrdat build TASK.json FILE\n"
    "       vxrdat diff A B\n"
    "       vxrdat check [--json] [--csv FILE] [--report DIR] TASK.json RESULT.DAT...\n"
    "       vxrdat expect START.DAT RESULT.DAT\n";

// JSON out; record bytes that are not UTF-8 are replaced rather than refused.
template <typename Json>
std::string jsonText(const Json& value) {
    return value.dump(2, ' ', false, Json::error_handler_t::replace);
}

void printWarnings(const vxr::model::MachineRecord& record, const std::string& file) {
    for (const auto& warning : recordWarnings(record))
        std::cerr << "vxrdat: warning: " << file << ": " << warning << "\n";
}

// Names what a command lacks or has too much of, with the usage.
void requireArguments(const std::string& command, const std::vector<std::string>& args,
                      const std::vector<std::string>& names) {
    if (args.size() < names.size()) {
        throw ToolError(command + ": missing " + names[args.size()] + "\n" + kUsage);
    }
    if (args.size() > names.size()) throw ToolError(command + ": unexpected '" + args[names.size()] + "'\n" + kUsage);
}

int dump(std::vector<std::string> args) {
    const bool asJson = !args.empty() && args[0] == "--json";
    if (asJson) args.erase(args.begin());
    requireArguments(asJson ? "dump --json" : "dump", args, {"the data FILE"});
    const std::string file = args[0];
    const auto record = readDataFile(file);
    printWarnings(record, file);
    if (asJson) {
        std::cout << jsonText(recordToJson(record)) << "\n";
    } else {
        printRecord(std::cout, record);
    }
    return 0;
}

// The text of a task file; only a regular file will do (a directory or a
// pipe is refused before it is opened).
std::string readTaskFile(const std::string& file) {
    std::error_code ec;
    const auto status = std::filesystem::status(file, ec);
    if (ec) throw ToolError(file + ": cannot read: " + ec.message());
    if (!std::filesystem::is_regular_file(status)) throw ToolError(file + ": not a regular file");
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in) throw ToolError(file + ": cannot read: " + std::strerror(errno));
    return text.str();
}

int build(const std::vector<std::string>& args) {
    requireArguments("build", args, {"TASK.json", "the data FILE to write"});
    try {
        const Task task = readTaskText(readTaskFile(args[0]));
        printWarnings(task.start, args[0]);
        writeDataFile(args[1], task.start);
    } catch (const SchemaError& error) {
        throw ToolError(args[0] + ": " + error.what());
    }
    return 0;
}

int diff(const std::vector<std::string>& args) {
    requireArguments("diff", args, {"data file A", "data file B"});
    const auto before = recordToJson(readDataFile(args[0]));
    const auto after = recordToJson(readDataFile(args[1]));
    const auto lines = jsonDifferences(before, after);
    for (const auto& line : lines) std::cout << line << "\n";
    return lines.empty() ? 0 : 1;
}

constexpr int kExitUnreadable = 3;

struct CheckArguments {
    bool asJson = false;
    std::string csv;
    std::string reports;
    std::vector<std::string> files;  // the task, then the result files
};

CheckArguments checkArguments(const std::vector<std::string>& args) {
    CheckArguments parsed;
    for (std::size_t k = 0; k < args.size(); ++k) {
        if (args[k] == "--json") {
            parsed.asJson = true;
        } else if (args[k] == "--csv" || args[k] == "--report") {
            const bool csv = args[k] == "--csv";
            if (++k == args.size()) {
                throw ToolError(std::string("check: ") + (csv ? "--csv needs a FILE" : "--report needs a DIR") +
                                " to write\n" + kUsage);
            }
            (csv ? parsed.csv : parsed.reports) = args[k];
        } else if (args[k].rfind("--", 0) == 0) {
            throw ToolError("check: unknown option '" + args[k] + "'\n" + kUsage);
        } else {
            parsed.files.push_back(args[k]);
        }
    }
    if (parsed.files.empty()) throw ToolError(std::string("check: missing TASK.json\n") + kUsage);
    if (parsed.files.size() == 1)
        throw ToolError(std::string("check: missing the RESULT.DAT files to grade\n") + kUsage);
    return parsed;
}

void writeCsvFile(const std::string& file, const ClassResult& result) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    writeCsv(out, result);
    out.close();
    if (!out) throw ToolError(file + ": cannot write: " + std::strerror(errno));
}

int check(const std::vector<std::string>& args) {
    const CheckArguments parsed = checkArguments(args);
    const std::string& taskFile = parsed.files[0];
    Task task;
    try {
        task = readTaskText(readTaskFile(taskFile));
    } catch (const SchemaError& error) {
        throw ToolError(taskFile + ": " + error.what());
    }
    if (task.expect.empty()) throw ToolError(taskFile + ": no \"expect\" list to grade by");
    const ClassResult result = gradeFiles(task, {parsed.files.begin() + 1, parsed.files.end()});
    if (!parsed.csv.empty()) writeCsvFile(parsed.csv, result);
    if (!parsed.reports.empty()) writeReports(parsed.reports, result);
    if (parsed.asJson) {
        std::cout << jsonText(classToJson(result)) << "\n";
    } else if (result.files.size() == 1) {
        printFileTable(std::cout, result, result.files[0]);
    } else {
        printClassLines(std::cout, result);
    }
    if (result.anyUnreadable()) return kExitUnreadable;
    return result.passedAll() ? 0 : 1;
}

int expect(const std::vector<std::string>& args) {
    requireArguments("expect", args, {"START.DAT", "RESULT.DAT"});
    const auto start = readDataFile(args[0]);
    const auto result = readDataFile(args[1]);
    auto list = nlohmann::ordered_json::array();
    for (const auto& e : deriveExpectations(start, result)) list.push_back(expectationToJson(e));
    std::cout << jsonText(list) << "\n";
    return 0;
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
        if (all[0] == "check") return check(args);
        if (all[0] == "expect") return expect(args);
        std::cerr << "vxrdat: unknown command '" << all[0] << "'\n" << kUsage;
        return 2;
    } catch (const ToolError& error) {
        std::cerr << "vxrdat: " << error.what() << "\n";
        return 2;
    } catch (const std::exception& error) {
        // A failure no check above foresaw still ends with a message, not an abort.
        std::cerr << "vxrdat: " << all[0] << ": " << error.what() << "\n";
        return 2;
    }
}
