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
};

struct ClassResult {
    std::vector<Expectation> items;
    std::vector<FileResult> files;
    int maxScore = 0;
    bool passedAll() const;
};

// Grades every file; a file that cannot be read is recorded, never thrown.
ClassResult gradeFiles(const Task& task, const std::vector<std::string>& files);

void printFileTable(std::ostream& out, const ClassResult& result, const FileResult& file);
void printClassLines(std::ostream& out, const ClassResult& result);
void writeCsv(std::ostream& out, const ClassResult& result);
nlohmann::json classToJson(const ClassResult& result);

}  // namespace vxr::vxrdat
