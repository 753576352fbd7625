#include "ArchiveTestHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

namespace archive_test {

CurrentDirectory::CurrentDirectory(const std::string& folder)
{
    char current[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, current);
    previous_ = current;
    SetCurrentDirectoryA(folder.c_str());
}

CurrentDirectory::~CurrentDirectory()
{
    // Under Wine the folder the tests start in can lie outside every drive, so it cannot be
    // made current again; the temp folder then serves, so that the folder left can be removed.
    if (!SetCurrentDirectoryA(previous_.c_str())) {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        SetCurrentDirectoryA(temp);
    }
}

Bytes ReadBytes(const std::string& path)
{
    Bytes bytes;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        ADD_FAILURE() << "cannot read " << path;
        return bytes;
    }
    bytes.resize(GetFileSize(file, nullptr));
    DWORD got = 0;
    if (!bytes.empty())
        ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(file);
    bytes.resize(got);
    return bytes;
}

void WriteBytes(const std::string& path, const Bytes& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    if (!bytes.empty())
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, bytes.size());
}

Bytes TextBytes(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

Bytes NoiseBytes(size_t size, unsigned seed)
{
    std::mt19937 generator(seed);
    Bytes bytes(size);
    for (unsigned char& b : bytes)
        b = static_cast<unsigned char>(generator());
    return bytes;
}

Bytes ProseBytes(size_t size)
{
    static const char* const words[] = {"tide ", "wrack ", "shore ", "cleaner ", "archive ", "the ", "of ",
                                        "entry\r\n", "folder ", "zip "};
    std::mt19937 generator(7);
    Bytes bytes;
    while (bytes.size() < size) {
        const char* word = words[generator() % 10];
        bytes.insert(bytes.end(), word, word + strlen(word));
    }
    bytes.resize(size);
    return bytes;
}

void SetFileTimes(const std::string& path, const SYSTEMTIME& utc)
{
    FILETIME time;
    SystemTimeToFileTime(&utc, &time);
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    SetFileTime(file, &time, &time, &time);
    CloseHandle(file);
}

PipeCollector::PipeCollector()
{
    CreatePipe(&read_, &write_, nullptr, 0);
    thread_ = std::thread([this] {
        unsigned char buffer[65536];
        DWORD got;
        while (ReadFile(read_, buffer, sizeof buffer, &got, nullptr) && got)
            bytes_.insert(bytes_.end(), buffer, buffer + got);
    });
}

PipeCollector::~PipeCollector()
{
    Finish();
}

Bytes PipeCollector::Finish()
{
    if (write_) {
        CloseHandle(write_);
        write_ = nullptr;
    }
    if (thread_.joinable())
        thread_.join();
    if (read_) {
        CloseHandle(read_);
        read_ = nullptr;
    }
    return bytes_;
}

PipeFeeder::PipeFeeder(Bytes data) : data_(std::move(data))
{
    CreatePipe(&read_, &write_, nullptr, 0);
    thread_ = std::thread([this] {
        size_t done = 0;
        while (done < data_.size()) {
            DWORD written = 0;
            DWORD part = static_cast<DWORD>(std::min<size_t>(data_.size() - done, 4096));
            if (!WriteFile(write_, data_.data() + done, part, &written, nullptr))
                break;
            done += written;
        }
        CloseHandle(write_);
    });
}

PipeFeeder::~PipeFeeder()
{
    CloseHandle(read_);
    thread_.join();
}

Bytes BuildArchive(const std::function<void(ZipHandle)>& adds, ZipResult* closeResult)
{
    TempFolder temp;
    std::string path = temp / "built.zip";
    ZipHandle zip = ZipWriterOpen(const_cast<char*>(path.c_str()), 0, ZipSourceKind::FileName);
    EXPECT_NE(zip, nullptr);
    if (!zip)
        return Bytes();
    adds(zip);
    ZipResult result = ZipWriterClose(zip);
    if (closeResult)
        *closeResult = result;
    else
        EXPECT_EQ(result, ZipOk);
    return ReadBytes(path);
}

WORD Le16(const Bytes& bytes, size_t at)
{
    return static_cast<WORD>(bytes.at(at) | (bytes.at(at + 1) << 8));
}

DWORD Le32(const Bytes& bytes, size_t at)
{
    return Le16(bytes, at) | (static_cast<DWORD>(Le16(bytes, at + 2)) << 16);
}

ArchiveLayout Layout(const Bytes& archive)
{
    ArchiveLayout layout;
    EXPECT_GE(archive.size(), 22u);
    if (archive.size() < 22)
        return layout;
    layout.endRecord = archive.size() - 22;
    EXPECT_EQ(Le32(archive, layout.endRecord), 0x06054B50u);
    size_t position = Le32(archive, layout.endRecord + 16);
    for (WORD i = 0; i < Le16(archive, layout.endRecord + 10); ++i) {
        EXPECT_EQ(Le32(archive, position), 0x02014B50u);
        layout.centralEntries.push_back(position);
        position += 46 + Le16(archive, position + 28) + Le16(archive, position + 30) + Le16(archive, position + 32);
    }
    return layout;
}

}  // namespace archive_test
