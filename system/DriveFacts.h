// The facts of one drive that the drive information page shows: its space, its volume
// data, the features of its file system and its cluster geometry.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace drivefacts {

struct Facts {
    bool haveSpace = false;    // false for a drive without media
    uint64_t total = 0, free = 0;
    bool haveVolume = false;
    std::string label, fileSystem;
    DWORD serial = 0, maxNameLength = 0, flags = 0;
    bool haveGeometry = false;
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
};

// Reads the facts of a root ("C:\") without the system's "no disk" box.
Facts Read(const std::string& root);

struct Row {
    std::string caption;
    int image; // 0 group, 1 fact, 2 feature present, 3 feature absent, -1 spacer
    std::string value;
};
std::vector<Row> Rows(const Facts& facts, bool german);

// A byte count in megabytes of 1,048,576 bytes with one decimal, from a gigabyte on in
// gigabytes with two ("," as the German decimal mark).
std::string SpaceText(uint64_t bytes, bool german);
// "1234-ABCD".
std::string SerialText(DWORD serial);
// The drive letter of a drive row's caption, "Local Disk (C:)": the letter before the last
// ":)", so that a label with a colon or brackets of its own does not mislead. 0 when none.
char LetterOfCaption(const std::string& caption);

} // namespace drivefacts
