#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "check_report.h"
#include "data_file.h"
#include "evaluate.h"
#include "expectations.h"
#include "lab_task.h"
#include "support/temp_dir.h"
#include "task_json.h"

namespace vxr::vxrdat {
namespace {

using model::MachineRecord;
using nlohmann::json;

MachineRecord lab() { return test::labRecord(); }

// The lab machine after a candidate's work: a new image D:\IMAGES\NEW.VXI
// (compressed, password, checked twice), a Fat32 partition on disk 2 and the
// Sure option on.
MachineRecord labResult() {
    MachineRecord r = lab();
    model::ImageEntry image{
        .directory = 6, .size = 4000, .name = "NEW", .partitionCount = 1, .checkCount = 2, .password = "PW"};
    image.partitions[0] = {7, 0, 20000, 8500};
    r.setImage(0, 9, image);
    model::DiskEntry d = r.disk(0, 1);
    d.partitions[1].dataSize += image.size;  // stored on D:
    r.setDisk(0, 1, d);
    model::DiskEntry disk = r.disk(0, 2);
    disk.partitionCount = 1;
    disk.partitions[0] = {11, 0, 30000, 100};
    r.setDisk(0, 2, disk);
    r.setOptionWord(3, 1);
    return r;
}

Expectation item(const std::string& text) {
    return expectationsFromJson(json{{"expect", json::array({json::parse(text)})}}).at(0);
}

struct Case {
    const char* item;
    const char* found;  // nullptr: the item passes
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.item; }

class Conditions : public ::testing::TestWithParam<Case> {};

TEST_P(Conditions, PassOrSayWhatWasFoundInstead) {
    const Outcome outcome = evaluate(item(GetParam().item), machineOf(lab()), machineOf(labResult()));
    if (GetParam().found == nullptr) {
        EXPECT_TRUE(outcome.passed) << outcome.found;
    } else {
        EXPECT_FALSE(outcome.passed);
        EXPECT_EQ(outcome.found, GetParam().found);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Expectations, Conditions,
    ::testing::Values(
        Case{R"({"image": {"path": "d:\\images\\new", "partitions": [{"type": 7, "size": [19000, 21000]}],
                 "compressed": true, "password": "pw", "checks": 2}})",
             nullptr},
        Case{R"({"image": {"path": "D:\\IMAGES\\OLD.VXI"}})",
             "image D:\\IMAGES\\OLD.VXI not found; images in D:\\IMAGES: CLEAN.VXI, NEW.VXI"},
        Case{R"({"image": {"path": "D:\\EXAM\\NEW.VXI"}})", "image D:\\EXAM\\NEW.VXI not found; no directory D:\\EXAM"},
        Case{
            R"({"image": {"path": "D:\\IMAGES\\NEW.VXI", "compressed": false, "password": false, "checks": 3,
                 "partitions": []}})",
            "image D:\\IMAGES\\NEW.VXI holds 1 partition: NTFS (type 7) 20000 MB, data 8500 MB; is compressed (4000 MB "
            "for 8500 MB of data); has the password \"PW\"; was checked 2 times, at least 3 expected"},
        Case{R"({"image": {"path": "D:\\BACKUP\\SYSTEM.VXI", "password": true}})",
             "image D:\\BACKUP\\SYSTEM.VXI has no password"},
        Case{R"({"disk": {"disk": 2, "partitions": [{"type": 11, "size": [29000, 31000], "data": 100}]}})", nullptr},
        Case{R"({"disk": {"disk": 2, "partitions": []}})",
             "disk 2 holds 1 partition: Fat32 (type 11) 30000 MB, data 100 MB"},
        Case{R"({"disk": {"computer": "peer", "disk": 3, "checks": 1}})",
             "peer disk 3 not found; the computer has 2 disks"},
        Case{R"({"partition": {"disk": 1, "partition": 2, "type": 11}})", nullptr},
        Case{R"({"partition": {"disk": 1, "partition": 2, "size": [1, 100]}})",
             "disk 1 partition 2 is Fat32 (type 11) 20000 MB, data 10200 MB"},
        Case{R"({"partition": {"disk": 2, "partition": 3, "type": 7}})",
             "disk 2 partition 3 not found; disk 2 holds 1 partition: Fat32 (type 11) 30000 MB, data 100 MB"},
        Case{R"({"directory": {"path": "D:\\BACKUP\\WEEKLY\\"}})", nullptr},
        Case{R"({"directory": {"computer": "peer", "path": "C:\\SHARE"}})", nullptr},
        Case{R"({"directory": {"path": "D:\\BACKUP\\DAILY"}})",
             "directory D:\\BACKUP\\DAILY not found; directories in D:\\BACKUP: WEEKLY"},
        Case{R"({"unchanged": {"disk": 1}})", nullptr},
        Case{R"({"unchanged": {"image": "D:\\IMAGES\\CLEAN.VXI"}})", nullptr},
        Case{R"({"unchanged": {"disk": 2}})",
             "disk 2 changed: partitions[0]: added "
             "{\"directories\":[],\"images\":{},\"partition\":{\"data\":100,\"size\":30000,\"type\":11}}"},
        Case{R"({"unchanged": {"image": "D:\\IMAGES\\NEW.VXI"}})",
             "image D:\\IMAGES\\NEW.VXI is not in the start record but is in the result"},
        Case{R"({"options": {"word": 3, "set": 1}})", nullptr},
        Case{R"({"options": {"word": 3, "clear": 1}})", "options word 3 is 0x0001; expected bits 0x0001 off"}));

TEST(Expectations, PartialCreditAndADamagedFileThatDoesNotStopTheClass) {
    test::TempDir dir;
    test::writeAll(dir.path() / "short.dat", std::vector<unsigned char>(10, 0));
    writeDataFile(dir.path() / "done.dat", labResult());
    const Task task{lab(),
                    {item(R"({"points": 2, "options": {"word": 3, "set": 1}})"),
                     item(R"({"what": "disk 2 left alone", "points": 3, "unchanged": {"disk": 2}})")}};
    const ClassResult result =
        gradeFiles(task, {(dir.path() / "short.dat").string(), (dir.path() / "done.dat").string()});
    ASSERT_EQ(result.files.size(), 2u);
    EXPECT_EQ(result.maxScore, 5);
    EXPECT_NE(result.files[0].error.find("short.dat: too short"), std::string::npos) << result.files[0].error;
    EXPECT_EQ(result.files[0].score, 0);
    EXPECT_EQ(result.files[1].score, 2);
    EXPECT_TRUE(result.files[1].outcomes[0].passed);
    EXPECT_FALSE(result.files[1].outcomes[1].passed);
    EXPECT_FALSE(result.passedAll());
}

TEST(Expectations, CsvCellsThatASpreadsheetWouldRunAreWrittenAsText) {
    const ClassResult result{{item(R"({"options": {"word": 3, "set": 1}})")},
                             {FileResult{"=HYPERLINK(1)", "@cannot be read", {Outcome{}}, 0},
                              FileResult{"+1,-2", "", {Outcome{true, ""}}, 1}},
                             1};
    std::ostringstream csv;
    writeCsv(csv, result);
    EXPECT_NE(csv.str().find("\r\n'=HYPERLINK(1),0,1,0,0,'@cannot be read\r\n"), std::string::npos) << csv.str();
    EXPECT_NE(csv.str().find("\r\n\"'+1,-2\",1,1,100,1,\r\n"), std::string::npos) << csv.str();
}

TEST(Expectations, EveryBundledTaskHasAListThatItsStartRecordDoesNotPass) {
    int tasks = 0;
    for (const auto& entry : std::filesystem::directory_iterator(VXR_EXAMPLES_SOURCE)) {
        if (!std::filesystem::exists(entry.path() / "task.json")) continue;
        ++tasks;
        std::ifstream in(entry.path() / "task.json");
        const Task task = readTaskText(std::string(std::istreambuf_iterator<char>(in), {}));
        ASSERT_FALSE(task.expect.empty()) << entry.path();
        const model::TCOMPUTER start = machineOf(task.start);
        const bool allPass = std::all_of(task.expect.begin(), task.expect.end(),
                                         [&](const Expectation& e) { return evaluate(e, start, start).passed; });
        EXPECT_FALSE(allPass) << entry.path() << ": the untouched machine already passes";
    }
    EXPECT_GE(tasks, 12);
}

struct BadItem {
    const char* item;
    const char* path;
};

void PrintTo(const BadItem& c, std::ostream* out) { *out << c.item; }

class ItemErrors : public ::testing::TestWithParam<BadItem> {};

// Refused as task errors: items that are malformed, that would grade every
// result alike, or that name what the start record's machine cannot have.
TEST_P(ItemErrors, NameTheJsonPathOfTheFault) {
    nlohmann::json start = test::labTask();
    start.erase("expect");
    std::string text = start.dump();
    text.pop_back();
    try {
        readTaskText(text + R"(, "expect": [)" + GetParam().item + "]}");
        FAIL() << "accepted " << GetParam().item;
    } catch (const SchemaError& error) {
        EXPECT_EQ(error.path(), GetParam().path) << error.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Expectations, ItemErrors,
    ::testing::Values(
        BadItem{R"({"what": "nothing to check"})", "expect[0]"},
        BadItem{R"({"disk": {"disk": 1}, "options": {"word": 1}})", "expect[0]"},
        BadItem{R"({"image": {"path": "SYSTEM.VXI"}})", "expect[0].image.path"},
        BadItem{R"({"image": {"computer": "remote", "path": "D:\\A"}})", "expect[0].image.computer"},
        BadItem{R"({"disk": {"disk": 1, "partitions": [{"size": [9, 1]}]}})", "expect[0].disk.partitions[0].size"},
        BadItem{R"({"partition": {"disk": 1}})", "expect[0].partition.partition"},
        BadItem{R"({"unchanged": {"disk": 1, "image": "D:\\A.VXI"}})", "expect[0].unchanged"},
        BadItem{R"({"unchanged": {"image": "D:\\SYSTME.VXI"}})", "expect[0].unchanged"},
        BadItem{R"({"unchanged": {"disk": 4}})", "expect[0].unchanged.disk"},
        BadItem{R"({"unchanged": {"disk": 1, "partition": 3}})", "expect[0].unchanged"},
        BadItem{R"({"options": {"word": 6}})", "expect[0].options.word"},
        BadItem{R"({"points": -1, "options": {"word": 1, "set": 1}})", "expect[0].points"},
        BadItem{R"({"points": 0, "options": {"word": 1, "set": 1}})", "expect[0].points"},
        BadItem{R"({"disk": {"disk": 2}})", "expect[0].disk"},
        BadItem{R"({"disk": {"disk": 2, "checks": 0}})", "expect[0].disk"},
        BadItem{R"({"disk": {"disk": 3, "checks": 1}})", "expect[0].disk.disk"},
        BadItem{R"({"disk": {"disk": 1, "partitions": [{"type": 8}]}})", "expect[0].disk.partitions[0].type"},
        BadItem{R"({"partition": {"disk": 1, "partition": 2}})", "expect[0].partition"},
        BadItem{R"({"partition": {"disk": 3, "partition": 1, "type": 7}})", "expect[0].partition.disk"},
        BadItem{R"({"options": {"word": 1}})", "expect[0].options"},
        BadItem{R"({"options": {"word": 1, "set": 3, "clear": 2}})", "expect[0].options"},
        BadItem{R"({"options": {"word": 1, "set": 1, "set": 2}})", "expect[0].options.set"},
        BadItem{R"({"image": {"path": "Q:\\A.VXI"}})", "expect[0].image.path"},
        BadItem{R"({"directory": {"path": "3:1\\A"}})", "expect[0].directory.path"},
        BadItem{R"({"unchanged": {"image": "D:\\"}})", "expect[0].unchanged.image"},
        BadItem{R"({"directory": {"path": "1:5\\A"}})", "expect[0].directory.path"},
        BadItem{R"({"image": {"path": "D:\\A", "compression": "medium"}})", "expect[0].image.compression"},
        BadItem{R"({"image": {"path": "D:\\A", "compression": "high", "compressed": true}})", "expect[0].image"}));

}  // namespace
}  // namespace vxr::vxrdat
