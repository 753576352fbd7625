// Whether two names reach one file or folder. A name can be spelt in many ways (short names,
// case, trailing dots and blanks, another drive letter, a link on the way), so files are
// told apart by their volume's serial number and their index on it, never by the text.
#pragma once

#include "common/FileHandle.h"

#include <windows.h>

#include <optional>
#include <string>

namespace file_identity {

struct Identity {
    DWORD volume = 0;
    unsigned long long index = 0;
    bool operator==(const Identity& other) const { return volume == other.volume && index == other.index; }
};

// Of an open handle.
std::optional<Identity> Of(HANDLE handle);
// The file's index alone, which is cheap to ask: the volume's serial number costs about a
// millisecond per call under Wine. 0 where the file system gives no index.
std::optional<unsigned long long> IndexOf(HANDLE handle);

// The path the system reached the open file by, after every link, drive letter and
// mapped share ("\\?\C:\a\b", "\\?\UNC\srv\sh\b"): where the file system gives no index,
// two spellings of one file give one final path wherever the system sees through them.
// Vista and later; "" on older systems and where it cannot be had.
std::string FinalPathOf(HANDLE handle);

// A file or folder opened for its attributes only, shared with everyone, whatever links
// lie on the way: what a name reaches, asked part by part.
class Opened {
public:
    explicit Opened(const std::string& path);

    bool Valid() const { return handle_.Valid(); }
    HANDLE Handle() const { return handle_.Get(); }

private:
    FileHandle handle_;
};

// Of a file or folder, opened for its attributes only and shared with everyone.
std::optional<Identity> Of(const std::string& path);
// Both names exist and reach the same file or folder.
bool Same(const std::string& first, const std::string& second);

// True when the open file or folder is known by another name or lies in another folder
// than `path` says -- the mark of a link that the system followed even where it shows
// none (Wine shows a link to a file as a plain file, and opens a link's target even when
// asked to open the link itself). False when that cannot be told (systems before Vista,
// which have no such links and open a link itself when asked).
bool LeadsElsewhere(HANDLE handle, const std::string& path);

} // namespace file_identity
