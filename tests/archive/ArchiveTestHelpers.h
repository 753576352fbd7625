// Helpers of the archive tests: scratch folders, file contents, a pipe that collects what
// is written into it, and a look at the records inside archive bytes.
#pragma once

#include "archive/Zip.h"
#include "tests/support/TempFolder.h"
#include "tests/support/Times.h"

#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace archive_test {

using Bytes = std::vector<unsigned char>;

using testing_support::TempFolder;

// Makes `folder` the current directory for as long as the object lives.
class CurrentDirectory {
public:
    explicit CurrentDirectory(const std::string& folder);
    ~CurrentDirectory();

private:
    std::string previous_;
};

Bytes ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const Bytes& bytes);
Bytes TextBytes(const std::string& text);
Bytes NoiseBytes(size_t size, unsigned seed);
Bytes ProseBytes(size_t size);

// Sets all three times of a file.
void SetFileTimes(const std::string& path, const SYSTEMTIME& utc);
using testing_support::FileTimeOf;

// The write end of an anonymous pipe; a thread collects every byte written into it.
class PipeCollector {
public:
    PipeCollector();
    ~PipeCollector();
    HANDLE WriteEnd() const { return write_; }
    // Closes the write end and waits for the rest.
    Bytes Finish();

private:
    HANDLE read_ = nullptr;
    HANDLE write_ = nullptr;
    std::thread thread_;
    Bytes bytes_;
};

// A pipe whose read end delivers `data` and then ends, for sources that cannot seek.
class PipeFeeder {
public:
    explicit PipeFeeder(Bytes data);
    ~PipeFeeder();
    HANDLE ReadEnd() const { return read_; }

private:
    HANDLE read_ = nullptr;
    HANDLE write_ = nullptr;
    std::thread thread_;
    Bytes data_;
};

// The bytes of an archive that `adds` fills through the writer (file target); the
// close's result goes to `closeResult` when asked for.
Bytes BuildArchive(const std::function<void(ZipHandle)>& adds, ZipResult* closeResult = nullptr);

// Little-endian fields of archive bytes.
WORD Le16(const Bytes& bytes, size_t at);
DWORD Le32(const Bytes& bytes, size_t at);

// Positions of the end record and of every central directory entry in an archive.
struct ArchiveLayout {
    size_t endRecord = 0;
    std::vector<size_t> centralEntries;
};
ArchiveLayout Layout(const Bytes& archive);

}  // namespace archive_test
