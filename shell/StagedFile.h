// A file written beside its target under a temporary name and moved over the target only
// when it is complete, so a failed or cut-off write never leaves the target truncated or
// half-written: an existing file of that name keeps its old content until the new one is
// whole.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace staged_file {

class StagedFile {
public:
    // Creates the temporary file in target's folder; Opened() tells whether that worked.
    explicit StagedFile(const std::string& target);
    // Deletes the temporary file unless Commit() moved it into place.
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    bool Opened() const { return handle_ != INVALID_HANDLE_VALUE; }
    bool Write(const void* data, size_t size);
    // Closes the temporary file and moves it over the target; false when either fails,
    // and then the target is as it was.
    bool Commit();

private:
    std::string target_;
    std::string temporary_;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    bool committed_ = false;
};

// The text written to target through a StagedFile.
bool WriteText(const std::string& target, const std::string& text);
// Each line followed by CR LF, written to target through a StagedFile.
bool WriteLines(const std::string& target, const std::vector<std::string>& lines);

} // namespace staged_file
