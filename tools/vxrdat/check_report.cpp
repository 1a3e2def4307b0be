#include "check_report.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string_view>

#include "data_file.h"

namespace vxr::vxrdat {

using nlohmann::json;

namespace {

constexpr std::size_t kItemColumnWidest = 48;

int percentOf(int score, int most) { return most == 0 ? 100 : (score * 100 + most / 2) / most; }

std::string percent(int score, int most) { return std::to_string(percentOf(score, most)) + " %"; }

std::string scoreText(const FileResult& file, int most) {
    return std::to_string(file.score) + " of " + std::to_string(most) + " (" + percent(file.score, most) + ")";
}

std::string padded(std::string text, std::size_t width) {
    if (text.size() > width) text = text.substr(0, width - 3) + "...";
    return text + std::string(width - text.size(), ' ');
}

std::string rightAligned(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string failedItems(const FileResult& file) {
    std::string list;
    for (std::size_t k = 0; k < file.outcomes.size(); ++k) {
        if (!file.outcomes[k].passed) list += (list.empty() ? "" : ", ") + std::to_string(k + 1);
    }
    return list;
}

// A CSV field, quoted when it holds a separator, a quote or a line break,
// and kept from being read as a formula.
std::string csvField(std::string text) {
    if (!text.empty() && std::string_view("=+-@\t\r").find(text[0]) != std::string_view::npos) text = "'" + text;
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char ch : text) quoted += ch == '"' ? std::string("\"\"") : std::string(1, ch);
    return quoted + "\"";
}

}  // namespace

bool FileResult::passedAll() const {
    return error.empty() && std::all_of(outcomes.begin(), outcomes.end(), [](const Outcome& o) { return o.passed; });
}

bool ClassResult::anyUnreadable() const {
    return std::any_of(files.begin(), files.end(), [](const FileResult& f) { return f.unreadable(); });
}

int ClassResult::passedBy(std::size_t item) const {
    return static_cast<int>(std::count_if(files.begin(), files.end(), [&](const FileResult& f) {
        return f.error.empty() && item < f.outcomes.size() && f.outcomes[item].passed;
    }));
}

bool ClassResult::passedAll() const {
    return std::all_of(files.begin(), files.end(), [](const FileResult& f) { return f.passedAll(); });
}

ClassResult gradeFiles(const Task& task, const std::vector<std::string>& files) {
    ClassResult result{task.expect, {}, 0};
    for (const auto& e : task.expect) result.maxScore += e.points;
    const model::TCOMPUTER start = machineOf(task.start);
    for (const auto& name : files) {
        FileResult file{name, "", {}, 0};
        try {
            const model::TCOMPUTER machine = machineOf(readDataFile(name));
            for (const auto& e : task.expect) {
                file.outcomes.push_back(evaluate(e, start, machine));
                if (file.outcomes.back().passed) file.score += e.points;
            }
        } catch (const ToolError& error) {
            file.error = error.what();
            file.outcomes.assign(task.expect.size(), Outcome{false, "not graded: the result file cannot be read"});
        }
        result.files.push_back(std::move(file));
    }
    return result;
}

void printFileTable(std::ostream& out, const ClassResult& result, const FileResult& file) {
    out << file.file << "\n";
    if (!file.error.empty()) out << "  cannot be graded: " << file.error << "\n";
    std::size_t width = 4;
    for (const auto& e : result.items) width = std::max(width, std::min(describe(e).size(), kItemColumnWidest));
    out << "   #  " << padded("item", width) << "  points  result\n";
    for (std::size_t k = 0; k < result.items.size(); ++k) {
        const Outcome& o = file.outcomes[k];
        out << rightAligned(std::to_string(k + 1), 4) << "  " << padded(describe(result.items[k]), width) << "  "
            << rightAligned(std::to_string(result.items[k].points), 6) << "  " << (o.passed ? "passed" : "FAILED")
            << "\n";
        if (!o.passed && file.error.empty()) out << "        " << o.found << "\n";
    }
    out << "  score " << scoreText(file, result.maxScore) << "\n";
}

void printClassLines(std::ostream& out, const ClassResult& result) {
    std::size_t width = 4;
    for (const auto& f : result.files) width = std::max(width, f.file.size());
    int passed = 0;
    long total = 0;
    for (const auto& f : result.files) {
        out << padded(f.file, width) << "  " << rightAligned(scoreText(f, result.maxScore), 16) << "  ";
        if (!f.error.empty()) {
            out << "cannot be graded: " << f.error << "\n";
        } else if (f.passedAll()) {
            out << "passed\n";
        } else {
            out << "failed items " << failedItems(f) << "\n";
        }
        passed += f.passedAll() ? 1 : 0;
        total += f.score;
    }
    const int count = static_cast<int>(result.files.size());
    // The mean of the files' percentages, taken from the exact sum.
    const long most = static_cast<long>(count) * result.maxScore;
    const long meanPercent = most == 0 ? 100 : (total * 100 + most / 2) / most;
    out << count << " files: " << passed << " passed every item, " << count - passed << " did not; mean score "
        << meanPercent << " %\n";
    out << "   #  passed by  item\n";
    for (std::size_t k = 0; k < result.items.size(); ++k) {
        out << rightAligned(std::to_string(k + 1), 4) << "  "
            << rightAligned(std::to_string(result.passedBy(k)) + " of " + std::to_string(count), 9) << "  "
            << describe(result.items[k]) << "\n";
    }
}

namespace {

// A report's name from a result's path: "class/anna/VXR.DAT" gives
// "class_anna_VXR.DAT.txt"; a name taken already gets "-2", "-3", ...
std::string reportName(const std::string& file, std::set<std::string>& taken) {
    std::string name;
    for (char ch : file) name += std::isalnum(static_cast<unsigned char>(ch)) || ch == '.' || ch == '-' ? ch : '_';
    const auto first = name.find_first_not_of("._");
    name = first == std::string::npos ? "result" : name.substr(first);
    std::string unique = name;
    for (int n = 2; !taken.insert(unique).second; ++n) unique = name + "-" + std::to_string(n);
    return unique + ".txt";
}

}  // namespace

std::vector<std::string> writeReports(const std::string& directory, const ClassResult& result) {
    std::error_code ec;
    std::filesystem::create_directories(directory, ec);
    if (ec) throw ToolError(directory + ": cannot make the report folder: " + ec.message());
    std::set<std::string> taken;
    std::vector<std::string> written;
    for (const auto& file : result.files) {
        const std::string path = (std::filesystem::path(directory) / reportName(file.file, taken)).string();
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        printFileTable(out, result, file);
        out.close();
        if (!out) throw ToolError(path + ": cannot write: " + std::strerror(errno));
        written.push_back(path);
    }
    return written;
}

void writeCsv(std::ostream& out, const ClassResult& result) {
    out << "file,score,max,percent";
    for (std::size_t k = 0; k < result.items.size(); ++k) {
        out << "," << csvField(std::to_string(k + 1) + " " + describe(result.items[k]));
    }
    out << ",error\r\n";
    for (const auto& f : result.files) {
        out << csvField(f.file) << "," << f.score << "," << result.maxScore << ","
            << percentOf(f.score, result.maxScore);
        for (std::size_t k = 0; k < result.items.size(); ++k) {
            out << "," << (f.outcomes[k].passed ? result.items[k].points : 0);
        }
        out << "," << csvField(f.error) << "\r\n";
    }
}

json classToJson(const ClassResult& result) {
    json items = json::array();
    for (std::size_t k = 0; k < result.items.size(); ++k) {
        items.push_back({{"what", describe(result.items[k])},
                         {"points", result.items[k].points},
                         {"passedBy", result.passedBy(k)}});
    }
    json files = json::array();
    for (const auto& f : result.files) {
        json outcomes = json::array();
        for (std::size_t k = 0; k < f.outcomes.size(); ++k) {
            json o{{"item", k + 1}, {"passed", f.outcomes[k].passed}};
            if (!f.outcomes[k].passed) o["found"] = f.outcomes[k].found;
            outcomes.push_back(o);
        }
        json entry{{"file", f.file}, {"score", f.score}, {"passed", f.passedAll()}, {"items", outcomes}};
        if (!f.error.empty()) entry["error"] = f.error;
        files.push_back(entry);
    }
    return json{{"max", result.maxScore}, {"passed", result.passedAll()}, {"items", items}, {"files", files}};
}

}  // namespace vxr::vxrdat
