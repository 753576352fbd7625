// The duplicate search's engine: which files found by the walk pass the filter, and
// which of them are equal by the chosen criterion. In content mode a group holds only
// files that are equal byte for byte (within the byte limit, when one is set): the
// checksum merely picks the candidates to compare, since two different files can share
// a 32-bit checksum, and deleting one of them as a "duplicate" would destroy a unique file.
#pragma once

#include "filetools/DuplicateCandidate.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace duplicates {

enum class Criterion { Content, Name, Size, Date };

struct SearchOptions {
    Criterion criterion = Criterion::Content;
    unsigned long long byteLimit = 0; // content mode: compare only the first N bytes; 0 = all
};

// What the files of a group share, for the duplicates window's note and its delete
// question: empty when they are whole copies; otherwise it says that they need not be.
std::string GroupMeaning(const SearchOptions& options, bool german);

// The checksum of a file's first byteLimit bytes (all when 0): CRC-32 of the reflected
// polynomial 0xEDB88320, started at 0xFFFFFFFF, each step inverted, no final inversion
// ("abc" gives 0xA6FFBCB0). False when the file cannot be read to the end of that range.
bool FileChecksum(const std::string& path, unsigned long long byteLimit, std::uint32_t& checksum);
using ChecksumFunction = std::function<bool(const std::string&, unsigned long long, std::uint32_t&)>;

// True when both files can be read and hold the same first `length` bytes. unreadable
// names the file that could not be read, when one could not.
bool SameBytes(const std::string& a, const std::string& b, unsigned long long length,
               std::string* unreadable = nullptr);

// The file filter: every file when filterText is empty (all files), otherwise the file's
// extension, without its dot and in upper case, must occur in the upper-cased filter text
// ("jpg+bmp" lets jpg, bmp, and also pg pass). A file without extension never passes.
bool PassesFilter(const std::string& path, bool allFiles, const std::string& filterText);

// The file's index on its volume, asked of an open handle; 0 when the file system gives
// none, as some network shares do for every file.
unsigned long long FileIndex(HANDLE file);
using IndexFunction = std::function<unsigned long long(HANDLE)>;

// True when the file is still there with the size and last-write time the walk saw.
bool UnchangedSinceWalk(const Candidate& found);

struct Grouping {
    std::vector<std::vector<std::string>> groups; // each of two files or more, in path order
    std::vector<std::string> unreadable;          // left out, never grouped
    std::vector<std::string> changed;             // gone, or not the size or time the walk saw: left out
    // Grouped files whose file system gives no index: two of them may be one file under
    // two names (a drive letter and the share it maps), so none is picked automatically.
    std::vector<std::string> unknownIdentity;
};

// Groups the candidates by the criterion. A file is never its own duplicate: every file
// that could join a group is known by its volume and file index, asked of the handle it
// is opened (and its content read) through, so a file reached under two paths (overlapping locations,
// another drive letter onto the same folder, a junction or mount folder) counts once,
// under the first path found; a file whose index is 0 (a file system without indexes) is
// known by its final path where the system gives one, else by its full path, and listed
// in unknownIdentity. A file whose size or last-write time is no longer what
// the walk saw is left out as changed.
// Content mode compares to the end of the files (or to the byte limit). Name mode
// compares file names without their folders and without regard to case, as the file
// system does; date mode compares the last-write times to the second the window shows.
// cancelled is polled between files; a cancelled grouping returns what it has grouped
// so far.
Grouping GroupDuplicates(std::vector<Candidate> candidates, const SearchOptions& options,
                         const ChecksumFunction& checksum = FileChecksum,
                         const std::function<bool()>& cancelled = {},
                         const IndexFunction& index = FileIndex);

// The result list: one full path per line and an empty line after each group.
std::vector<std::string> ResultLines(const Grouping& grouping);

} // namespace duplicates
