#pragma once
// `vxrdat check`: grading result files against a task's expectations, and
// the reports: a table per file, a line per file for a class, CSV and JSON.

#include <ostream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "evaluate.h"
#include "expectations.h"

namespace vxr::vxrdat {

struct FileResult {
    std::string file;
    std::string error;  // a result file that cannot be read: why (it scores nothing)
    std::vector<Outcome> outcomes;
    int score = 0;
    bool passedAll() const;
    bool unreadable() const { return !error.empty(); }
};

struct ClassResult {
    std::vector<Expectation> items;
    std::vector<FileResult> files;
    int maxScore = 0;
    bool passedAll() const;
    bool anyUnreadable() const;
    int passedBy(std::size_t item) const;  // how many files passed that item
};

// Grades every file; a file that cannot be read is recorded, never thrown.
ClassResult gradeFiles(const Task& task, const std::vector<std::string>& files);

void printFileTable(std::ostream& out, const ClassResult& result, const FileResult& file);
// One line per file, a summary, and per item how many files passed it.
void printClassLines(std::ostream& out, const ClassResult& result);
// One report per file in `directory` (made if need be), named after the
// file's path; returns the reports' paths. Throws ToolError when it cannot write.
std::vector<std::string> writeReports(const std::string& directory, const ClassResult& result);
// Spreadsheets take a cell that starts with = + - @ as a formula: such
// cells are written with a leading apostrophe so that they show as text.
void writeCsv(std::ostream& out, const ClassResult& result);
nlohmann::json classToJson(const ClassResult& result);

}  // namespace vxr::vxrdat
