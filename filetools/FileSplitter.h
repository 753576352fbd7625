// The file splitter's engine: cuts a file into numbered parts and writes beside them a
// batch file that joins the parts again with the shell's binary copy, so the file can be
// rebuilt where the program is not installed. Sizes are 64-bit: sources over 2 GiB split
// like any other; the parts are copied in fixed blocks, never held whole in memory.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace splitter {

// The source's folder and base name (extension dropped) with ".00" and the part number
// from 1: movie.avi gives movie.001 ... movie.009, movie.0010 (no fixed width).
std::string PartName(const std::string& source, int number);
// The source's folder and base name with ".bat".
std::string BatchName(const std::string& source);

// Split by number: truncate(size / count) + 1.
unsigned long long PartSizeForCount(unsigned long long sourceSize, int count);
// How many parts a source of sourceSize bytes gives with parts of partSize (at least one).
unsigned long long PartCount(unsigned long long sourceSize, unsigned long long partSize);

// The restore batch's lines; the last (the copy) ends without a line end. File names are
// quoted, and a "%" in a name is doubled so the batch does not take it for a variable.
std::vector<std::string> BatchLines(const std::string& source, const std::vector<std::string>& parts, bool german);

// The parts and the batch file this split would write.
std::vector<std::string> Targets(const std::string& source, unsigned long long sourceSize,
                                 unsigned long long partSize);
// Of those, the ones that exist already (to ask before overwriting them).
std::vector<std::string> ExistingTargets(const std::string& source, unsigned long long sourceSize,
                                         unsigned long long partSize);

enum class SplitError {
    None,
    InvalidInput,   // no source or a part size of 0
    NameClash,      // a part or the batch file would be the source itself
    SourceUnreadable,
    PartFailed,     // failedPath names the part that could not be written
    BatchFailed,    // every part written, the restore batch not
};

struct SplitResult {
    SplitError error = SplitError::None;
    int partsWritten = 0;
    std::string failedPath;
};

// Splits source into parts of partSize bytes and writes the restore batch. pump is called
// between blocks to keep the window alive.
SplitResult SplitFile(const std::string& source, unsigned long long partSize, bool german,
                      const std::function<void()>& pump = {});

} // namespace splitter
