#include "filetools/DuplicateFinder.h"

#include "cleaning/Masks.h"

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <tuple>

namespace duplicates {

namespace {

// Files are read in blocks of this size: one buffered read per block, not per byte.
constexpr size_t blockSize = 64 * 1024;
// The checksum that picks the files to compare covers their first bytes only.
constexpr unsigned long long pickSize = 4096;
// Equal files are compared through buffers of this size each.
constexpr size_t compareSize = 256 * 1024;

// A file opened for reading through the system (the C runtime's open costs twice as
// much under some systems, and the search opens thousands of files).
class ReadFile {
public:
    explicit ReadFile(const std::string& path)
        : handle_(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr))
    {
    }
    ~ReadFile()
    {
        if (handle_ != INVALID_HANDLE_VALUE)
            ::CloseHandle(handle_);
    }
    ReadFile(const ReadFile&) = delete;
    ReadFile& operator=(const ReadFile&) = delete;

    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    // Reads up to size bytes; false on a read error. got < size only at the end.
    bool Read(void* buffer, size_t size, size_t& got)
    {
        got = 0;
        while (got < size) {
            DWORD read = 0;
            if (!::ReadFile(handle_, static_cast<char*>(buffer) + got, static_cast<DWORD>(size - got), &read, nullptr))
                return false;
            if (read == 0)
                break;
            got += read;
        }
        return true;
    }

private:
    HANDLE handle_;
};

const std::array<std::uint32_t, 256>& CrcTable()
{
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    return table;
}

std::string FileNameOf(const std::string& path)
{
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Whole seconds since 1601: what the window shows of a time.
unsigned long long Seconds(const FILETIME& time)
{
    return ((static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 10000000ull;
}

// Splits equal-checksum files into runs of byte-for-byte equal ones; a file that cannot
// be read goes to unreadable.
void SplitByBytes(const std::vector<const Candidate*>& files, unsigned long long length, Grouping& grouping,
                  const std::function<bool()>& cancelled)
{
    std::vector<std::vector<std::string>> classes;
    for (const Candidate* file : files) {
        if (cancelled && cancelled())
            return;
        bool placed = false, readable = true;
        for (auto& members : classes) {
            std::string failed;
            if (SameBytes(members.front(), file->path, length, &failed)) {
                members.push_back(file->path);
                placed = true;
                break;
            }
            if (failed == file->path) {
                readable = false;
                break;
            }
        }
        if (!readable)
            grouping.unreadable.push_back(file->path);
        else if (!placed)
            classes.push_back({file->path});
    }
    for (auto& members : classes)
        if (members.size() > 1)
            grouping.groups.push_back(std::move(members));
}

// Splits files of one size into classes of byte-for-byte equal ones by reading them all
// side by side, block by block: each file is opened and read once, and a file leaves the
// comparison as soon as it differs from all others. A file that cannot be read goes to
// unreadable. For at most togetherMost files (one handle and one block each).
constexpr size_t togetherMost = 64;
constexpr size_t togetherBlock = 64 * 1024;

void SplitTogether(const std::vector<const Candidate*>& files, unsigned long long length, Grouping& grouping,
                   const std::function<bool()>& cancelled)
{
    static thread_local std::vector<std::vector<char>> blocks(togetherMost, std::vector<char>(togetherBlock));
    std::vector<std::unique_ptr<ReadFile>> handles;
    std::vector<const Candidate*> readable;
    for (const Candidate* file : files) {
        auto handle = std::make_unique<ReadFile>(file->path);
        if (!handle->IsOpen()) {
            grouping.unreadable.push_back(file->path);
            continue;
        }
        handles.push_back(std::move(handle));
        readable.push_back(file);
    }
    std::vector<size_t> got(readable.size());
    std::vector<std::vector<size_t>> classes(1);
    for (size_t i = 0; i < readable.size(); ++i)
        classes[0].push_back(i);

    for (unsigned long long left = length; left > 0 && !classes.empty();) {
        if (cancelled && cancelled())
            return;
        size_t want = static_cast<size_t>(std::min<unsigned long long>(left, togetherBlock));
        std::vector<std::vector<size_t>> next;
        for (const auto& members : classes) {
            std::vector<std::vector<size_t>> parts;
            for (size_t i : members) {
                if (!handles[i]->Read(blocks[i].data(), want, got[i])) {
                    grouping.unreadable.push_back(readable[i]->path);
                    continue;
                }
                auto same = std::find_if(parts.begin(), parts.end(), [&](const std::vector<size_t>& part) {
                    size_t first = part.front();
                    return got[first] == got[i] &&
                           std::equal(blocks[i].begin(), blocks[i].begin() + got[i], blocks[first].begin());
                });
                if (same != parts.end())
                    same->push_back(i);
                else
                    parts.push_back({i});
            }
            for (auto& part : parts)
                if (part.size() > 1)
                    next.push_back(std::move(part));
        }
        classes = std::move(next);
        left -= want;
    }
    for (const auto& members : classes) {
        std::vector<std::string> paths;
        for (size_t i : members)
            paths.push_back(readable[i]->path);
        grouping.groups.push_back(std::move(paths));
    }
}

} // namespace

bool FileChecksum(const std::string& path, unsigned long long byteLimit, std::uint32_t& checksum)
{
    ReadFile file(path);
    if (!file.IsOpen())
        return false;
    const auto& table = CrcTable();
    std::uint32_t crc = 0xFFFFFFFFu;
    static thread_local std::vector<unsigned char> block(blockSize);
    unsigned long long left = byteLimit ? byteLimit : ~0ull;
    while (left > 0) {
        size_t want = static_cast<size_t>(std::min<unsigned long long>(left, block.size()));
        size_t got = 0;
        if (!file.Read(block.data(), want, got))
            return false;
        for (size_t i = 0; i < got; ++i)
            crc = ~(table[(crc ^ block[i]) & 0xFF] ^ (crc >> 8));
        left -= got;
        if (got < want)
            break; // the end of the file
    }
    checksum = crc;
    return true;
}

bool SameBytes(const std::string& a, const std::string& b, unsigned long long length, std::string* unreadable)
{
    ReadFile first(a), second(b);
    auto fail = [&](const std::string& path) {
        if (unreadable)
            *unreadable = path;
        return false;
    };
    if (!first.IsOpen())
        return fail(a);
    if (!second.IsOpen())
        return fail(b);
    // Kept between calls: the search compares thousands of small files, and clearing
    // fresh buffers for each pair would cost more than reading them.
    static thread_local std::vector<char> one(compareSize), two(compareSize);
    while (length > 0) {
        size_t want = static_cast<size_t>(std::min<unsigned long long>(length, compareSize));
        size_t gotOne = 0, gotTwo = 0;
        if (!first.Read(one.data(), want, gotOne))
            return fail(a);
        if (!second.Read(two.data(), want, gotTwo))
            return fail(b);
        // Equal sizes were checked before; a file that changed meanwhile is not equal.
        if (gotOne != gotTwo || !std::equal(one.begin(), one.begin() + gotOne, two.begin()))
            return false;
        if (gotOne < want)
            return true;
        length -= gotOne;
    }
    return true;
}

bool PassesFilter(const std::string& path, bool allFiles, const std::string& filterText)
{
    if (allFiles)
        return true;
    std::string name = FileNameOf(path);
    size_t dot = name.find_last_of('.');
    if (dot == std::string::npos || dot + 1 == name.size())
        return false;
    return cleaning::UpperCase(filterText).find(cleaning::UpperCase(name.substr(dot + 1))) != std::string::npos;
}

Grouping GroupDuplicates(std::vector<Candidate> candidates, const SearchOptions& options,
                         const ChecksumFunction& checksum, const std::function<bool()>& cancelled)
{
    Grouping grouping;
    // A file reached through two overlapping locations is one file.
    {
        std::map<std::string, Candidate> unique;
        for (Candidate& file : candidates)
            unique.emplace(cleaning::UpperCase(file.path), std::move(file));
        candidates.clear();
        for (auto& entry : unique)
            candidates.push_back(std::move(entry.second));
    }

    if (options.criterion != Criterion::Content) {
        // Grouped by a key of real values; within a group the files keep path order.
        std::map<std::tuple<unsigned long long, std::string>, std::vector<std::string>> byKey;
        for (const Candidate& file : candidates) {
            switch (options.criterion) {
            case Criterion::Size: byKey[{file.size, ""}].push_back(file.path); break;
            case Criterion::Date: byKey[{Seconds(file.lastWrite), ""}].push_back(file.path); break;
            default: byKey[{0, cleaning::UpperCase(FileNameOf(file.path))}].push_back(file.path); break;
            }
        }
        for (auto& entry : byKey)
            if (entry.second.size() > 1)
                grouping.groups.push_back(std::move(entry.second));
        return grouping;
    }

    // Content: only files of one size can be equal, and the bytes decide which are.
    std::map<unsigned long long, std::vector<const Candidate*>> bySize;
    for (const Candidate& file : candidates)
        bySize[file.size].push_back(&file);
    for (auto& sized : bySize) {
        unsigned long long length = options.byteLimit ? std::min(sized.first, options.byteLimit) : sized.first;
        if (sized.second.size() < 2)
            continue; // alone in its size: nothing to read
        if (sized.second.size() <= togetherMost) {
            SplitTogether(sized.second, length, grouping, cancelled);
            if (cancelled && cancelled())
                break;
            continue;
        }
        // Too many to read side by side: the checksum of their first bytes sorts them
        // into smaller sets first.
        std::map<std::uint32_t, std::vector<const Candidate*>> byChecksum;
        for (const Candidate* file : sized.second) {
            if (cancelled && cancelled())
                break;
            std::uint32_t sum = 0;
            if (checksum(file->path, std::min<unsigned long long>(length, pickSize), sum))
                byChecksum[sum].push_back(file);
            else
                grouping.unreadable.push_back(file->path);
        }
        for (auto& same : byChecksum) {
            if (same.second.size() > togetherMost)
                SplitByBytes(same.second, length, grouping, cancelled);
            else if (same.second.size() > 1)
                SplitTogether(same.second, length, grouping, cancelled);
        }
        if (cancelled && cancelled())
            break;
    }
    std::sort(grouping.groups.begin(), grouping.groups.end());
    return grouping;
}

std::vector<std::string> ResultLines(const Grouping& grouping)
{
    std::vector<std::string> lines;
    for (const auto& group : grouping.groups) {
        lines.insert(lines.end(), group.begin(), group.end());
        lines.emplace_back();
    }
    return lines;
}

} // namespace duplicates
