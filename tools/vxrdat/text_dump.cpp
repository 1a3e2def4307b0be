#include "text_dump.h"

#include <cstdio>
#include <set>

#include "model/computer.h"
#include "model/option_names.h"
#include "platform/clock.h"
#include "platform/indexing.h"
#include "platform/text.h"
#include "platform/utf8.h"
#include "task_json.h"

namespace vxr::vxrdat {

using namespace model;
using namespace model::bytes;

namespace {

std::string format(const char* pattern, auto... values) {
    char text[256];
    std::snprintf(text, sizeof text, pattern, values...);
    return text;
}

// A name, path or password safe to print: control characters, and bytes of
// the record that are no code page 936 text, as \xNN.
std::string shown(const std::string& text) {
    std::u32string plain;
    std::string out;
    for (char32_t c : platform::decodeUtf8(text)) {
        if (!platform::isStrayByte(c)) {
            plain += c;
            continue;
        }
        out += platform::escapeControls(platform::encodeUtf8(plain));
        plain.clear();
        out += format("\\x%02X", static_cast<unsigned>(c - platform::kStrayByteBase));
    }
    return out + platform::escapeControls(platform::encodeUtf8(plain));
}

std::string typeText(int type) { return format("%02x %-10s", type, TCOMPUTER::PartitionTypeName(type).c_str()); }

std::string partitionText(const PartitionEntry& p) {
    return typeText(p.type) + format(" %7d MB, data %7d MB", p.size, p.dataSize);
}

// The drive letter of a partition, or blank.
std::string letterOf(const TCOMPUTER& machine, int c, int d, int p) {
    for (int n = 1; n <= machine.driveLetters(c).count; ++n) {
        const DriveLetterEntry e = machine.driveLetter(c, n);
        if (e.disk == d && e.partition == p) return std::string(1, driveLetterOf(n)) + ":";
    }
    return "";
}

std::string directoryText(const TCOMPUTER& machine, int c, int v) {
    const std::string path = machine.DirectoryPath(c, v);
    return shown(path.size() == 2 ? path + "\\" : path);  // a root shows as X:\ .
}

void printDisks(std::ostream& out, const TCOMPUTER& machine, int c) {
    const MachineRecord& r = machine.record();
    out << format("  Disks: %d\n", r.diskCount(c));
    for (int d = 1; d <= r.disksInUse(c); ++d) {
        const DiskEntry disk = r.disk(c, d);
        out << format("    Disk %d: %d MB, kind %d%s, %d cylinders, %d heads, %d sectors, %d checks\n", d,
                      disk.capacity, disk.kind, disk.kind == 1 ? " (Basic)" : "", disk.cylinders, disk.heads,
                      disk.sectorsPerTrack, disk.checkCount);
        for (int p = 1; p <= r.partitionsInUse(c, d); ++p) {
            out << format("      %d  ", p) << partitionText(at(disk.partitions, p)) << "  "
                << letterOf(machine, c, d, p) << "\n";
        }
    }
    out << "  Drive letters:";
    for (int n = 1; n <= machine.driveLetters(c).count; ++n) {
        const DriveLetterEntry e = machine.driveLetter(c, n);
        out << format(" %c:=%d:%d", driveLetterOf(n), e.disk, e.partition);
    }
    out << (machine.driveLetters(c).count == 0 ? " none\n" : "\n");
}

void printDirectories(std::ostream& out, const TCOMPUTER& machine, int c) {
    out << "  Directories:\n";
    for (int v = 1; v <= kDirectories; ++v) {
        const DirectoryEntry dir = machine.record().directory(c, v);
        if (dir.isFree()) continue;
        out << format("    %2d  %-24s disk %d partition %d, parent %2d, created %s\n", v,
                      directoryText(machine, c, v).c_str(), dir.disk, dir.partition, dir.parent,
                      platform::formatDateTime(dir.created).c_str());
    }
}

void printImages(std::ostream& out, const TCOMPUTER& machine, int c) {
    out << "  Images:\n";
    for (int i = 1; i <= kImages; ++i) {
        const ImageEntry image = machine.record().image(c, i);
        if (image.isFree()) continue;
        out << format("    %3d  %-28s %7d MB, created %s, %d checks, password %s\n", i,
                      shown(machine.ImagePath(c, i) + ".VXI").c_str(), image.size,
                      platform::formatDateTime(image.created).c_str(), image.checkCount,
                      image.password.empty() ? "none" : ("\"" + shown(image.password) + "\"").c_str());
        for (int p = 1; p <= machine.record().imagePartitionsInUse(c, i); ++p) {
            out << format("           partition %d  ", p) << partitionText(at(image.partitions, p)) << "\n";
        }
    }
}

void printOptions(std::ostream& out, const MachineRecord& r) {
    out << "Options:\n";
    for (int t = 1; t <= kOptionWords; ++t) {
        const std::uint16_t word = r.optionWord(t);
        out << format("  word %d %-11s 0x%04x", t, at(kOptionWordNames, t), word);
        for (int n = 1; n <= 16; ++n) {
            if ((word >> (n - 1) & 1) == 0) continue;
            if (const char* summary = optionSummary(t, n)) {
                out << "  [" << summary << "]";
            } else {
                out << format("  [box %d]", n);
            }
        }
        out << "\n";
    }
}

void printRestrictions(std::ostream& out, std::uint16_t flags) {
    out << format("Restrictions: 0x%04x", flags);
    if (flags == 0) out << " none";
    if (flags & kMouseLocked) out << "  mouse locked";
    if (flags & kKeyboardLocked) out << "  keyboard locked";
    if (flags & kCommandLineLocked) out << "  command line locked";
    if (flags & kAssessmentCopy) out << "  assessment copy (also saved to A:\\VXR.DAT)";
    out << "\n";
}

void warnParentLoops(const MachineRecord& r, int c, std::vector<std::string>& warnings) {
    for (int v = 1; v <= kDirectories; ++v) {
        std::set<int> seen{v};
        for (int at = r.directory(c, v).parent; at != 0 && MachineRecord::validDirectory(at);
             at = r.directory(c, at).parent) {
            if (!seen.insert(at).second) {
                warnings.push_back(format("%s directory %d: its parent chain loops", computerName(c), v));
                break;
            }
        }
    }
}

void warnComputer(const MachineRecord& r, int c, std::vector<std::string>& warnings) {
    const char* name = computerName(c);
    if (r.diskCount(c) > kDisks) warnings.push_back(format("%s disk count %d is above 4", name, r.diskCount(c)));
    for (int d = 1; d <= r.disksInUse(c); ++d) {
        const int count = r.disk(c, d).partitionCount;
        if (count > kPartitions)
            warnings.push_back(format("%s disk %d: partition count %d is above 4", name, d, count));
    }
    for (int v = 1; v <= kDirectories; ++v) {
        const DirectoryEntry dir = r.directory(c, v);
        if (dir.isFree()) continue;
        if (dir.disk > kDisks || dir.partition < 1 || dir.partition > kPartitions) {
            warnings.push_back(
                format("%s directory %d: disk %d partition %d does not exist", name, v, dir.disk, dir.partition));
        }
        if (dir.parent > kDirectories)
            warnings.push_back(format("%s directory %d: parent %d is above 20", name, v, dir.parent));
    }
    warnParentLoops(r, c, warnings);
    for (int i = 1; i <= kImages; ++i) {
        const ImageEntry image = r.image(c, i);
        if (image.directory > kDirectories) {
            warnings.push_back(format("%s image %d: directory %d is above 20", name, i, image.directory));
        }
        if (image.partitionCount > kPartitions) {
            warnings.push_back(format("%s image %d: partition count %d is above 4", name, i, image.partitionCount));
        }
    }
}

}  // namespace

std::vector<std::string> recordWarnings(const MachineRecord& record) {
    std::vector<std::string> warnings;
    for (int c = 0; c < kComputers; ++c) warnComputer(record, c, warnings);
    return warnings;
}

void printRecord(std::ostream& out, const MachineRecord& record) {
    TCOMPUTER machine;
    machine.record() = record;
    machine.BuildDriveLetters();
    const auto keys = record.keys();
    out << format("Machine record, %zu bytes, keys %02x %02x %02x %02x\n", kRecordSize, keys[0], keys[1], keys[2],
                  keys[3]);
    printRestrictions(out, record.restrictionFlags());
    printOptions(out, record);
    for (int c = 0; c < kComputers; ++c) {
        out << (c == 0 ? "Local computer\n" : "Peer computer\n");
        printDisks(out, machine, c);
        printDirectories(out, machine, c);
        printImages(out, machine, c);
    }
}

}  // namespace vxr::vxrdat
