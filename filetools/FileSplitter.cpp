#include "filetools/FileSplitter.h"

#include "fileengines/FileIdentity.h"
#include "common/FileHandle.h"
#include "common/Language.h"
#include "common/PathFacts.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>

namespace splitter {

namespace {

// Parts are copied through one buffer of this size, whatever the part size.
constexpr size_t blockSize = 1024 * 1024;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

std::string BaseOf(const std::string& source)
{
    size_t slash = source.find_last_of("\\/:");
    size_t dot = source.find_last_of('.');
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
        return source.substr(0, dot);
    return source;
}

std::string FileNameOf(const std::string& path)
{
    size_t slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A name as the batch file must spell it.
std::string Quoted(const std::string& name)
{
    std::string text = "\"";
    for (char c : name) {
        text += c;
        if (c == '%')
            text += '%';
    }
    return text + "\"";
}

// The source while it is split. It is opened for reading only, and others may read it but
// not write it: no part can be written over it however its name is spelt ("movie.001 "
// with a trailing blank is movie.001 to the system, not to a comparison of names).
class Source {
public:
    explicit Source(const std::string& path)
        : handle_(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr))
    {
        if (!handle_.Valid())
            return;
        DWORD high = 0;
        SetLastError(NO_ERROR);
        const DWORD low = GetFileSize(handle_.Get(), &high);
        const bool sized = low != INVALID_FILE_SIZE || GetLastError() == NO_ERROR;
        length_ = (static_cast<unsigned long long>(high) << 32) | low;
        identity_ = file_identity::Of(handle_.Get());
        if (!sized || !identity_)
            handle_.Close();
    }

    bool IsOpen() const { return handle_.Valid(); }
    unsigned long long Length() const { return length_; }
    // Whether path names this very file (by volume and file index, not by its spelling).
    bool IsReachedAs(const std::string& path) const
    {
        const std::optional<file_identity::Identity> other = file_identity::Of(path);
        return other && identity_ && *other == *identity_;
    }
    // Exactly size bytes, or false.
    bool Read(char* buffer, size_t size)
    {
        while (size > 0) {
            DWORD got = 0;
            if (!ReadFile(handle_.Get(), buffer, static_cast<DWORD>(size), &got, nullptr) || got == 0)
                return false;
            buffer += got;
            size -= got;
        }
        return true;
    }

private:
    FileHandle handle_;
    std::optional<file_identity::Identity> identity_;
    unsigned long long length_ = 0;
};

bool WriteBatch(const std::string& source, const std::vector<std::string>& parts, bool german)
{
    File batch(std::fopen(BatchName(source).c_str(), "wb"));
    if (!batch)
        return false;
    std::vector<std::string> lines = BatchLines(source, parts, german);
    bool ok = true;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string line = lines[i] + (i + 1 < lines.size() ? "\r\n" : "");
        ok = ok && std::fwrite(line.data(), 1, line.size(), batch.get()) == line.size();
    }
    return std::fclose(batch.release()) == 0 && ok;
}

} // namespace

std::string PartName(const std::string& source, int number) { return BaseOf(source) + ".00" + std::to_string(number); }

std::string BatchName(const std::string& source) { return BaseOf(source) + ".bat"; }

unsigned long long PartSizeForCount(unsigned long long sourceSize, int count)
{
    return count > 0 ? sourceSize / static_cast<unsigned long long>(count) + 1 : 0;
}

unsigned long long PartCount(unsigned long long sourceSize, unsigned long long partSize)
{
    if (partSize == 0)
        return 0;
    return std::max<unsigned long long>(1, (sourceSize + partSize - 1) / partSize);
}

std::vector<std::string> BatchLines(const std::string& source, const std::vector<std::string>& parts, bool german)
{
    std::vector<std::string> lines = {
        "echo off",
        "cls",
        "echo --------------------------------",
        "echo --  Tidewrack --  ",
        "echo --------------------------------",
        "echo.",
        "echo.",
        "echo.",
        language::Text(german, "echo      Druecken Sie eine Taste, um die ",
                       "echo      Press any Button to rebuild the "),
        language::Text(german, "echo            Datei wiederherzustellen   ", "echo            file   "),
        "echo     ",
        "echo.   ",
        "echo.   ",
        "pause  ",
    };
    std::string copy = "copy /b ";
    for (size_t i = 0; i < parts.size(); ++i)
        copy += (i ? "+" : "") + Quoted(FileNameOf(parts[i]));
    lines.push_back(copy + " " + Quoted(FileNameOf(source)));
    return lines;
}

std::vector<std::string> Targets(const std::string& source, unsigned long long sourceSize,
                                 unsigned long long partSize)
{
    std::vector<std::string> targets;
    unsigned long long count = PartCount(sourceSize, partSize);
    for (unsigned long long n = 1; n <= count; ++n)
        targets.push_back(PartName(source, static_cast<int>(n)));
    targets.push_back(BatchName(source));
    return targets;
}

std::vector<std::string> ExistingTargets(const std::string& source, unsigned long long sourceSize,
                                         unsigned long long partSize)
{
    std::vector<std::string> existing;
    for (const std::string& target : Targets(source, sourceSize, partSize))
        if (common::Exists(target))
            existing.push_back(target);
    return existing;
}

SplitResult SplitFile(const std::string& source, unsigned long long partSize, bool german,
                      const std::function<void()>& pump)
{
    SplitResult result;
    if (source.empty() || partSize == 0) {
        result.error = SplitError::InvalidInput;
        return result;
    }
    Source input(source);
    if (!input.IsOpen()) {
        result.error = SplitError::SourceUnreadable;
        return result;
    }
    unsigned long long length = input.Length();
    std::vector<std::string> targets = Targets(source, length, partSize);
    for (const std::string& target : targets)
        if (input.IsReachedAs(target)) {
            result.error = SplitError::NameClash;
            result.failedPath = target;
            return result;
        }
    targets.pop_back(); // the batch

    std::vector<char> block(blockSize);
    unsigned long long remaining = length;
    for (const std::string& part : targets) {
        unsigned long long chunk = std::min(partSize, remaining);
        File output(std::fopen(part.c_str(), "wb"));
        bool ok = output != nullptr;
        while (ok && chunk > 0) {
            size_t want = static_cast<size_t>(std::min<unsigned long long>(chunk, block.size()));
            ok = input.Read(block.data(), want) && std::fwrite(block.data(), 1, want, output.get()) == want;
            chunk -= want;
            remaining -= want;
            if (pump)
                pump();
        }
        ok = output && std::fclose(output.release()) == 0 && ok;
        if (!ok) {
            result.error = SplitError::PartFailed;
            result.failedPath = part;
            return result;
        }
        ++result.partsWritten;
    }
    if (!WriteBatch(source, targets, german))
        result.error = SplitError::BatchFailed;
    return result;
}

} // namespace splitter
