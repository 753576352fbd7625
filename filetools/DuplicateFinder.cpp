#include "filetools/DuplicateFinder.h"

#include "fileengines/FileIdentity.h"
#include "fileengines/Masks.h"
#include "common/FileHandle.h"
#include "common/CaseRule.h"
#include "common/Language.h"

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <tuple>

namespace duplicates {

namespace {

// Files are read in blocks of this size: one buffered read per block, not per byte.
constexpr size_t blockSize = 64 * 1024;
// The checksum that picks the files to compare covers their first bytes only.
constexpr unsigned long long pickSize = 4096;
// Equal files are compared through buffers of this size each.
constexpr size_t compareSize = 256 * 1024;
// A length beyond any file's: compare to the end of the files.
constexpr unsigned long long toTheEnd = ~0ull;

// A file opened through the system (the C runtime's open costs twice as much under some
// systems, and the search opens thousands of files), for reading or, with
// FILE_READ_ATTRIBUTES, only to learn what it is. Others may read, write and delete it
// meanwhile: the search never stands in their way.
class OpenedFile {
public:
    explicit OpenedFile(const std::string& path, DWORD access = GENERIC_READ)
        : handle_(::CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr)),
          error_(handle_.Valid() ? ERROR_SUCCESS : ::GetLastError())
    {
    }

    bool IsOpen() const { return handle_.Valid(); }
    // Why the open failed.
    DWORD Error() const { return error_; }
    // Reads up to size bytes; false on a read error. got < size only at the end.
    bool Read(void* buffer, size_t size, size_t& got)
    {
        got = 0;
        while (got < size) {
            DWORD read = 0;
            if (!::ReadFile(handle_.Get(), static_cast<char*>(buffer) + got, static_cast<DWORD>(size - got), &read,
                            nullptr))
                return false;
            if (read == 0)
                break;
            got += read;
        }
        return true;
    }
    // The size and last-write time now; false when they cannot be had.
    bool Size(unsigned long long& size) const
    {
        LARGE_INTEGER now{};
        if (!::GetFileSizeEx(handle_.Get(), &now))
            return false;
        size = static_cast<unsigned long long>(now.QuadPart);
        return true;
    }
    bool LastWrite(FILETIME& lastWrite) const
    {
        return ::GetFileTime(handle_.Get(), nullptr, nullptr, &lastWrite) != FALSE;
    }
    HANDLE Handle() const { return handle_.Get(); }
    // The serial number of the volume that holds the file.
    std::optional<DWORD> Volume() const
    {
        BY_HANDLE_FILE_INFORMATION information{};
        if (!::GetFileInformationByHandle(handle_.Get(), &information))
            return std::nullopt;
        return information.dwVolumeSerialNumber;
    }

private:
    FileHandle handle_;
    DWORD error_;
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

// True when a file's size and last-write time are those the walk saw.
bool Matches(const Candidate& found, unsigned long long size, const FILETIME& lastWrite)
{
    return size == found.size && ::CompareFileTime(&lastWrite, &found.lastWrite) == 0;
}

// Whether the file, just opened, is still the one the walk saw: one gone or changed since
// goes to changed, one that cannot be opened or looked at to unreadable.
bool Admitted(const Candidate& file, const OpenedFile& opened, Grouping& grouping)
{
    if (!opened.IsOpen()) {
        const bool gone = opened.Error() == ERROR_FILE_NOT_FOUND || opened.Error() == ERROR_PATH_NOT_FOUND;
        (gone ? grouping.changed : grouping.unreadable).push_back(file.path);
        return false;
    }
    unsigned long long size = 0;
    FILETIME lastWrite{};
    if (!opened.Size(size) || !opened.LastWrite(lastWrite)) {
        grouping.unreadable.push_back(file.path);
        return false;
    }
    if (!Matches(file, size, lastWrite)) {
        grouping.changed.push_back(file.path);
        return false;
    }
    return true;
}

// A file of a group with its index on its volume (0: unknown) and, while it is open, the
// handle it was read through.
struct Member {
    const Candidate* file;
    unsigned long long index;
    const OpenedFile* opened;
};

std::optional<DWORD> VolumeOf(const Member& member)
{
    if (member.opened)
        return member.opened->Volume();
    return OpenedFile(member.file->path, FILE_READ_ATTRIBUTES).Volume();
}

// The file's final path (where the system gives one) or else its full path, upper-cased:
// what tells a file without an index from the others.
std::string PathKeyOf(const Member& member)
{
    std::string final;
    if (member.opened)
        final = file_identity::FinalPathOf(member.opened->Handle());
    else if (const OpenedFile opened(member.file->path, FILE_READ_ATTRIBUTES); opened.IsOpen())
        final = file_identity::FinalPathOf(opened.Handle());
    return common::UpperCase(final.empty() ? member.file->path : final);
}

// The paths of a group's files, each file once, under the first path found: a second path
// to a file already kept (another drive letter onto the same folder, a junction, a mount
// folder, a hard link) is dropped. A file is known by its volume and its index on that
// volume; since asking for the volume is slow, it is asked only of files that share an
// index. A file system without file indexes (some network shares) gives 0 for every file:
// such a file's identity is unknown, and only its final path (or its full path, where the
// system gives none) tells it from the others; its path goes to unknown as well.
std::vector<std::string> OnceEach(const std::vector<Member>& members, std::vector<std::string>& unknown)
{
    std::vector<std::string> paths;
    std::map<unsigned long long, std::vector<const Member*>> byIndex;
    std::set<std::string> pathKeys; // of the files kept without an index
    for (const Member& member : members) {
        bool second = false;
        if (!member.index) {
            second = !pathKeys.insert(PathKeyOf(member)).second;
            if (!second)
                unknown.push_back(member.file->path);
        } else {
            std::vector<const Member*>& sameIndex = byIndex[member.index];
            // A volume that cannot be told counts as the same: a file is never listed twice.
            second = std::any_of(sameIndex.begin(), sameIndex.end(), [&member](const Member* other) {
                std::optional<DWORD> volume = VolumeOf(member), otherVolume = VolumeOf(*other);
                return !volume || !otherVolume || *volume == *otherVolume;
            });
            if (!second)
                sameIndex.push_back(&member);
        }
        if (!second)
            paths.push_back(member.file->path);
    }
    return paths;
}

// Adds the group of these files, each once, when it holds two files or more.
void AddGroup(const std::vector<Member>& members, Grouping& grouping)
{
    std::vector<std::string> unknown;
    std::vector<std::string> paths = OnceEach(members, unknown);
    if (paths.size() < 2)
        return;
    grouping.groups.push_back(std::move(paths));
    grouping.unknownIdentity.insert(grouping.unknownIdentity.end(), unknown.begin(), unknown.end());
}

// Splits equal-checksum files into runs of byte-for-byte equal ones, comparing them in
// pairs; a file that cannot be read goes to unreadable. Too many to hold open at once, so
// each is first looked at on its own.
void SplitByBytes(const std::vector<const Candidate*>& files, unsigned long long length, Grouping& grouping,
                  const IndexFunction& index, const std::function<bool()>& cancelled)
{
    std::vector<std::vector<Member>> classes;
    for (const Candidate* file : files) {
        if (cancelled && cancelled())
            return;
        Member member{file, 0, nullptr};
        {
            OpenedFile opened(file->path, FILE_READ_ATTRIBUTES);
            if (!Admitted(*file, opened, grouping))
                continue;
            member.index = index(opened.Handle());
        }
        bool placed = false, readable = true;
        for (auto& members : classes) {
            std::string failed;
            if (SameBytes(members.front().file->path, file->path, length, &failed)) {
                members.push_back(member);
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
            classes.push_back({member});
    }
    for (const auto& members : classes)
        AddGroup(members, grouping);
}

// Splits files of one size into classes of byte-for-byte equal ones by reading them all
// side by side, block by block: each file is opened and read once, and a file leaves the
// comparison as soon as it differs from all others. A file that cannot be read goes to
// unreadable. For at most togetherMost files (one handle and one block each).
constexpr size_t togetherMost = 64;
constexpr size_t togetherBlock = 64 * 1024;

void SplitTogether(const std::vector<const Candidate*>& files, unsigned long long length, Grouping& grouping,
                   const IndexFunction& index, const std::function<bool()>& cancelled)
{
    static thread_local std::vector<std::vector<char>> blocks(togetherMost, std::vector<char>(togetherBlock));
    std::vector<std::unique_ptr<OpenedFile>> handles;
    std::vector<const Candidate*> readable;
    for (const Candidate* file : files) {
        auto handle = std::make_unique<OpenedFile>(file->path);
        if (!Admitted(*file, *handle, grouping))
            continue;
        handles.push_back(std::move(handle));
        readable.push_back(file);
    }
    std::vector<size_t> got(readable.size());
    std::vector<std::vector<size_t>> classes(1), ended;
    for (size_t i = 0; i < readable.size(); ++i)
        classes[0].push_back(i);

    // Read to the end of the files (or to the byte limit): a file that grew since its
    // size was taken differs from the others in its length.
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
                    (got[part.front()] < want ? ended : next).push_back(std::move(part));
        }
        classes = std::move(next);
        left -= want;
    }
    ended.insert(ended.end(), classes.begin(), classes.end()); // those that reached the byte limit
    // Only files of equal content are asked who they are, through the handle they were
    // read through: opening each file once more just for that doubles the search's time.
    for (const auto& members : ended) {
        std::vector<Member> same;
        for (size_t i : members) {
            // Grown or shrunk since the walk, while it was being read, say: not the file
            // the walk saw.
            unsigned long long size = 0;
            if (handles[i]->Size(size) && size == readable[i]->size)
                same.push_back({readable[i], index(handles[i]->Handle()), handles[i].get()});
            else
                grouping.changed.push_back(readable[i]->path);
        }
        AddGroup(same, grouping);
    }
}

// Splits files of one size into classes of byte-for-byte equal ones.
void GroupByContent(const std::vector<const Candidate*>& files, unsigned long long length, Grouping& grouping,
                    const ChecksumFunction& checksum, const IndexFunction& index,
                    const std::function<bool()>& cancelled)
{
    if (files.size() <= togetherMost)
        return SplitTogether(files, length, grouping, index, cancelled);
    // Too many to read side by side: the checksum of their first bytes sorts them into
    // smaller sets first.
    std::map<std::uint32_t, std::vector<const Candidate*>> byChecksum;
    for (const Candidate* file : files) {
        if (cancelled && cancelled())
            return;
        std::uint32_t sum = 0;
        if (checksum(file->path, std::min<unsigned long long>(length, pickSize), sum))
            byChecksum[sum].push_back(file);
        else
            (UnchangedSinceWalk(*file) ? grouping.unreadable : grouping.changed).push_back(file->path);
    }
    for (auto& same : byChecksum) {
        if (same.second.size() > togetherMost)
            SplitByBytes(same.second, length, grouping, index, cancelled);
        else if (same.second.size() > 1)
            SplitTogether(same.second, length, grouping, index, cancelled);
    }
}

// What files must share to be a group: their size (content mode too, since only files
// of one size can be equal), the second of their last write, or their name.
std::tuple<unsigned long long, std::string> KeyOf(const Candidate& file, Criterion criterion)
{
    switch (criterion) {
    case Criterion::Date: return {Seconds(file.lastWrite), ""};
    case Criterion::Name: return {0, common::UpperCase(FileNameOf(file.path))};
    default: return {file.size, ""};
    }
}

} // namespace

std::string GroupMeaning(const SearchOptions& options, bool german)
{
    const std::string differ =
        language::Text(german, "; der Inhalt kann verschieden sein", "; their contents may differ");
    switch (options.criterion) {
    case Criterion::Name: return language::Text(german, "Gleicher Dateiname", "Same file name") + differ;
    case Criterion::Size: return language::Text(german, "Gleiche Größe", "Same size") + differ;
    case Criterion::Date: return language::Text(german, "Gleiche Änderungszeit", "Same time of last change") + differ;
    default:
        if (!options.byteLimit)
            return std::string();
        return language::Text(german, "Gleich in Größe und den ersten ", "Equal in size and in the first ") +
               std::to_string(options.byteLimit) + " Bytes";
    }
}

bool FileChecksum(const std::string& path, unsigned long long byteLimit, std::uint32_t& checksum)
{
    OpenedFile file(path);
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
    OpenedFile first(a), second(b);
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
    return common::UpperCase(filterText).find(common::UpperCase(name.substr(dot + 1))) != std::string::npos;
}

unsigned long long FileIndex(HANDLE file) { return file_identity::IndexOf(file).value_or(0); }

bool UnchangedSinceWalk(const Candidate& found)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    return ::GetFileAttributesExA(found.path.c_str(), GetFileExInfoStandard, &data) &&
           !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
           Matches(found, (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow,
                   data.ftLastWriteTime);
}

Grouping GroupDuplicates(std::vector<Candidate> candidates, const SearchOptions& options,
                         const ChecksumFunction& checksum, const std::function<bool()>& cancelled,
                         const IndexFunction& index)
{
    Grouping grouping;
    // Grouped by a key of real values; only files that share it are opened at all.
    std::map<std::tuple<unsigned long long, std::string>, std::vector<const Candidate*>> byKey;
    for (const Candidate& file : candidates)
        byKey[KeyOf(file, options.criterion)].push_back(&file);
    for (const auto& keyed : byKey) {
        if (cancelled && cancelled())
            break;
        if (keyed.second.size() < 2)
            continue; // alone: nothing to open
        if (options.criterion == Criterion::Content) {
            unsigned long long size = std::get<0>(keyed.first);
            GroupByContent(keyed.second, options.byteLimit ? std::min(size, options.byteLimit) : toTheEnd, grouping,
                           checksum, index, cancelled);
            continue;
        }
        std::vector<Member> members;
        for (const Candidate* file : keyed.second) {
            if (cancelled && cancelled())
                break;
            OpenedFile opened(file->path, FILE_READ_ATTRIBUTES);
            if (Admitted(*file, opened, grouping))
                members.push_back({file, index(opened.Handle()), nullptr});
        }
        AddGroup(members, grouping);
    }
    // Within a group the files stand in path order.
    for (auto& group : grouping.groups)
        std::sort(group.begin(), group.end(), [](const std::string& a, const std::string& b) {
            return common::LessText(a, b);
        });
    if (options.criterion == Criterion::Content)
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
