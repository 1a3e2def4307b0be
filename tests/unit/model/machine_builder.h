#pragma once
// Small helpers that lay out test machines in a record.

#include <string>

#include "model/computer.h"

namespace vxr::model::test {

inline void addDisk(MachineRecord& record, int computer, int capacity) {
    const int d = record.diskCount(computer) + 1;
    record.setDiskCount(computer, static_cast<std::uint16_t>(d));
    DiskEntry disk = record.disk(computer, d);
    disk.capacity = capacity;
    disk.kind = 1;
    record.setDisk(computer, d, disk);
}

inline void addPartition(MachineRecord& record, int computer, int d, int type, int size, int dataSize) {
    DiskEntry disk = record.disk(computer, d);
    disk.partitions[disk.partitionCount] = {static_cast<std::uint16_t>(type), 0, size, dataSize};
    ++disk.partitionCount;
    record.setDisk(computer, d, disk);
}

inline void setDirectory(MachineRecord& record, int computer, int v, int disk, int partition, int parent,
                         const std::string& name) {
    record.setDirectory(computer, v,
                        {static_cast<std::uint16_t>(disk), static_cast<std::uint16_t>(partition),
                         static_cast<std::uint16_t>(parent), name, 45000.5});
}

inline void setImage(MachineRecord& record, int computer, int i, int directory, const std::string& name) {
    ImageEntry image;
    image.directory = static_cast<std::uint16_t>(directory);
    image.name = name;
    image.size = 100;
    record.setImage(computer, i, image);
}

}  // namespace vxr::model::test
