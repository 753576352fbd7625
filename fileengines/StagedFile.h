// A file written beside its target under a temporary name and moved over the target only
// when it is complete and on the disk, so a failed or cut-off write never leaves the
// target truncated or half-written: an existing file of that name keeps its old content
// until the new one is whole, and then keeps its attributes (a hidden file stays hidden).
#pragma once

#include "common/FileHandle.h"

#include <windows.h>

#include <string>
#include <vector>

namespace staged_file {

// The temporary name of a write to target: always the same, so that what a killed run
// left there says what it belongs to and goes with the next write of that file.
std::string TemporaryName(const std::string& target);

class StagedFile {
public:
    // Creates the temporary file in target's folder; Opened() tells whether that worked. It
    // does not while another process writes the same target.
    explicit StagedFile(const std::string& target);
    // Deletes the temporary file unless Commit() moved it into place.
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    bool Opened() const { return handle_.Valid(); }
    bool Write(const void* data, size_t size);
    // Flushes and closes the temporary file and moves it over the target; false when any
    // of that fails, and then the target is as it was.
    bool Commit();

private:
    std::string target_;
    std::string temporary_;
    FileHandle handle_;
    bool committed_ = false;
};

// The text written to target through a StagedFile.
bool WriteText(const std::string& target, const std::string& text);
// Each line followed by CR LF, written to target through a StagedFile.
bool WriteLines(const std::string& target, const std::vector<std::string>& lines);

} // namespace staged_file
