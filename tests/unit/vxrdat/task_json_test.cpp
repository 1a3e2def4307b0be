#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "json_diff.h"
#include "lab_task.h"
#include "model/computer.h"
#include "platform/text.h"
#include "task_json.h"
#include "text_dump.h"

namespace vxr::vxrdat {
namespace {

using model::MachineRecord;
using nlohmann::json;

json lab() { return test::labTask(); }

// Through text, as a task author's file would go.
MachineRecord roundTrip(const MachineRecord& record) {
    return recordFromJson(json::parse(recordToJson(record).dump()));
}

MachineRecord withoutKeys(MachineRecord record) {
    record.setKeys({});
    return record;
}

TEST(TaskJson, TheLabTaskDescribesTheMachineItSays) {
    const MachineRecord record = recordFromJson(lab());
    model::TCOMPUTER machine;
    machine.record() = record;
    machine.BuildDriveLetters();
    EXPECT_EQ(machine.ResolvePath(0, "D:\\BACKUP\\WEEKLY\\WEEK49.VXI"), 2);
    EXPECT_EQ(record.image(0, 2).password, "EXAM");
    EXPECT_EQ(record.image(0, 2).partitionCount, 2);
    EXPECT_EQ(record.diskCount(0), 2);
    EXPECT_EQ(record.disk(0, 2).partitionCount, 0);
    EXPECT_EQ(platform::formatDateTime(record.image(0, 1).created), "2026-10-2 17:45:12");
    EXPECT_EQ(machine.DirectoryPath(1, 2), "C:\\SHARE");
    EXPECT_TRUE(recordWarnings(record).empty());
}

TEST(TaskJson, EveryByteOfAnArbitraryRecordSurvivesTheRoundTrip) {
    std::mt19937 random(12345);
    for (int round = 0; round < 3; ++round) {
        MachineRecord record;
        for (auto& byte : record.bytes()) byte = static_cast<std::uint8_t>(random());
        EXPECT_EQ(withoutKeys(roundTrip(record)), withoutKeys(record));
    }
    const MachineRecord lab = recordFromJson(::vxr::vxrdat::lab());
    EXPECT_EQ(roundTrip(lab), lab);
    EXPECT_FALSE(recordToJson(lab).contains("raw"));  // a clean record needs no raw bytes
}

TEST(TaskJson, OddButValidValuesAreWrittenAsFields) {
    MachineRecord record;
    record.setDiskCount(0, 9);
    record.setImage(1, 7,
                    {.directory = 3,
                     .created = 45000.123456789,
                     .partitionCount = 6,
                     .password = platform::recordText("\xA3\xA0pw")});
    const json j = recordToJson(record);
    EXPECT_EQ(j["computers"]["local"]["diskCount"], 9);
    const json& image = j["computers"]["peer"]["images"][0];
    EXPECT_EQ(image["slot"], 7);
    EXPECT_EQ(image["partitionCount"], 6);
    EXPECT_EQ(image["password"]["hex"], "a3a07077");
    EXPECT_DOUBLE_EQ(image["created"].get<double>(), 45000.123456789);
    EXPECT_FALSE(j.contains("raw"));
    EXPECT_EQ(roundTrip(record), record);
}

TEST(TaskJson, SlotsFollowEachOtherAndNamedRestrictionsAreAccepted) {
    const json task = json::parse(R"({
        "computers": {"local": {"directories": [{"slot": 4, "disk": 1, "partition": 1}, {"disk": 1, "partition": 2}]}},
        "restrictions": ["keyboard", "assessment"],
        "options": [1, 2]})");
    const MachineRecord record = recordFromJson(task);
    EXPECT_EQ(record.directory(0, 4).partition, 1);
    EXPECT_EQ(record.directory(0, 5).partition, 2);
    EXPECT_EQ(record.restrictionFlags(), 2 + 16);
    EXPECT_EQ(record.optionWord(2), 2);
    EXPECT_EQ(record.optionWord(3), 0);
}

struct BadTask {
    const char* text;
    const char* path;
};

void PrintTo(const BadTask& task, std::ostream* out) { *out << task.path; }

class SchemaErrors : public ::testing::TestWithParam<BadTask> {};

TEST_P(SchemaErrors, NameTheJsonPathOfTheFault) {
    try {
        recordFromJson(parseTaskText(GetParam().text));
        FAIL() << "accepted " << GetParam().text;
    } catch (const SchemaError& error) {
        EXPECT_EQ(error.path(), GetParam().path) << error.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    TaskJson, SchemaErrors,
    ::testing::Values(
        BadTask{R"([])", "(top)"}, BadTask{R"({"computer": {}})", "computer"},
        BadTask{R"({"computers": {"local": {"disks": [{"capacity": 1, "partitions": [{"size": "big"}]}]}}})",
                "computers.local.disks[0].partitions[0].size"},
        BadTask{R"({"computers": {"peer": {"disks": [{"capacity": 3000000000}]}}})",
                "computers.peer.disks[0].capacity"},
        BadTask{R"({"computers": {"local": {"disks": [{"kind": -1}]}}})", "computers.local.disks[0].kind"},
        BadTask{R"({"computers": {"local": {"disks": [{}, {}, {}, {}, {}]}}})", "computers.local.disks"},
        BadTask{R"({"computers": {"local": {"directories": [{"slot": 21}]}}})", "computers.local.directories[0].slot"},
        BadTask{R"({"computers": {"local": {"directories": [{"slot": 2}, {"slot": 2}]}}})",
                "computers.local.directories[1].slot"},
        BadTask{R"({"computers": {"local": {"directories": [{"name": "TENLETTERS"}]}}})",
                "computers.local.directories[0].name"},
        BadTask{R"({"computers": {"local": {"images": [{"created": "2026-13-01 00:00:00"}]}}})",
                "computers.local.images[0].created"},
        BadTask{R"({"computers": {"local": {"images": [{"password": {"hex": "4g"}}]}}})",
                "computers.local.images[0].password.hex"},
        BadTask{R"({"options": [0, 65536]})", "options[1]"},
        BadTask{R"({"restrictions": ["mice"]})", "restrictions[0]"},
        BadTask{R"({"raw": {"23959": "0102"}})", "raw.23959"}, BadTask{R"({"raw": {"x1": "01"}})", "raw.x1"},
        // Offsets that once wrapped round to before the record, or carry a sign or a space.
        BadTask{R"({"raw": {"-1": "00"}})", "raw.-1"}, BadTask{R"({"raw": {"-1000": "00"}})", "raw.-1000"},
        BadTask{R"({"raw": {"18446744073709551615": "00"}})", "raw.18446744073709551615"},
        BadTask{R"({"raw": {"+1": "00"}})", "raw.+1"}, BadTask{R"({"raw": {" 1": "00"}})", "raw. 1"},
        BadTask{R"({"raw": {"23960": ""}})", "raw.23960"},
        // Days a calendar does not have, and years beyond four digits.
        BadTask{R"({"computers": {"local": {"images": [{"created": "2026-02-31 00:00:00"}]}}})",
                "computers.local.images[0].created"},
        BadTask{R"({"computers": {"local": {"images": [{"created": "2025-02-29"}]}}})",
                "computers.local.images[0].created"},
        BadTask{R"({"computers": {"peer": {"images": [{"created": "99999999999-01-01"}]}}})",
                "computers.peer.images[0].created"},
        BadTask{R"({"computers": {"local": {"directories": [{"created": "2026-01-01 24:00:00"}]}}})",
                "computers.local.directories[0].created"},
        // Names measured in code page 936 bytes: ten bytes do not fit nine; a
        // character the code page lacks fits nowhere.
        BadTask{R"({"computers": {"local": {"directories": [{"name": "\u6d4b\u8bd5\u6587\u5b57ab"}]}}})",
                "computers.local.directories[0].name"},
        BadTask{R"({"computers": {"local": {"images": [{"name": "\ud83d\ude00"}]}}})",
                "computers.local.images[0].name"},
        BadTask{"{\"comment\": 1e999}", "(top)"}));

TEST(TaskJson, NamesAreStoredInCodePage936InUpperCaseAndReadBackAsText) {
    const std::string name = "\u6d4b\u8bd5\u6587ab";  // 3 ideographs and 2 letters: 8 bytes in the record
    const MachineRecord record = recordFromJson(
        parseTaskText(R"({"computers": {"local": {"directories": [{"disk": 1, "partition": 1, "name": ")" + name +
                      R"(", "created": "2024-02-29"}]}}})"));
    EXPECT_EQ(record.bytes()[model::bytes::directoryOffset(0, 1) + model::bytes::kDirectoryName], 8);  // length byte
    EXPECT_EQ(record.directory(0, 1).name, "\u6d4b\u8bd5\u6587AB");  // UTF-8 in the entry
    const json back = recordToJson(record)["computers"]["local"]["directories"][0];
    EXPECT_EQ(back["name"], "\u6d4b\u8bd5\u6587AB");  // as the trainer would have typed it
    EXPECT_EQ(back["created"], "2024-02-29 00:00:00");
}

TEST(JsonDiff, ListsChangedAddedAndRemovedEntriesBySlot) {
    MachineRecord before = recordFromJson(lab());
    MachineRecord after = before;
    model::ImageEntry image = after.image(0, 1);
    image.size = 5000;
    after.setImage(0, 1, image);
    after.setImageDirectory(0, 3, 0);
    after.setImage(0, 9, {.directory = 6, .name = "NEW"});
    after.setKeys({0x81, 0x82, 0x83, 0x84});  // keys are not a difference
    const auto lines = jsonDifferences(recordToJson(before), recordToJson(after));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "computers.local.images[slot 1].size: 4250 -> 5000");
    EXPECT_EQ(lines[1], "computers.local.images[slot 3].directory: 6 -> 0");
    EXPECT_EQ(lines[2], "computers.local.images[slot 3].path: \"D:\\\\IMAGES\\\\CLEAN.VXI\" -> \"S:\\\\CLEAN.VXI\"");
    EXPECT_EQ(lines[3].rfind("computers.local.images[slot 9]: added {", 0), 0u);
    EXPECT_TRUE(jsonDifferences(recordToJson(before), recordToJson(before)).empty());
}

TEST(TextDump, WarnsAboutValuesOutsideTheirRanges) {
    MachineRecord record;
    record.setDiskCount(1, 5);
    record.setDirectory(0, 1, {1, 1, 2, "A", 0});
    record.setDirectory(0, 2, {1, 1, 1, "B", 0});
    record.setImage(0, 1, {.directory = 33});
    const auto warnings = recordWarnings(record);
    const std::vector<std::string> expected{"local directory 1: its parent chain loops",
                                            "local directory 2: its parent chain loops",
                                            "local image 1: directory 33 is above 20", "peer disk count 5 is above 4"};
    EXPECT_EQ(warnings, expected);
    std::ostringstream out;
    printRecord(out, record);  // must not trip over the loop
    EXPECT_NE(out.str().find("Peer computer"), std::string::npos);
}

TEST(TextDump, ShowsPathsLettersPasswordsAndSwitchNames) {
    MachineRecord record = recordFromJson(lab());
    record.setOptionWord(3, 1);
    record.setRestrictionFlags(16);
    std::ostringstream out;
    printRecord(out, record);
    const std::string text = out.str();
    for (const char* expected : {"D:\\BACKUP\\WEEKLY\\WEEK49.VXI", "password \"EXAM\"", "[Sure]", "assessment copy",
                                 "0b Fat32", "C:=1:1 D:=1:2", "created 2026-10-20 9:12:03"}) {
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    }
}

}  // namespace
}  // namespace vxr::vxrdat
