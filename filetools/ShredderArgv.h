// The shredder is entered like a console tool, with an argument vector: element 0 is
// the program name (every caller passes an empty text), then the switches and the path.
#pragma once

#include <string>
#include <vector>

using ShredderArgv = std::vector<std::string>;

// The most passes the shredder page offers; a larger "-p" is cut down to it, since
// more passes only cost time.
constexpr unsigned kMaxShredPasses = 500;

struct ShredderOptions {
    bool quiet = false;          // "-q": no per-file lines
    bool recurse = false;        // "-s": into subfolders, removing the emptied ones
    bool wipeFreeSpace = false;  // "-z": wipe the free space of the path's drive
    unsigned passes = 1;         // "-p N"
    bool hasPath = false;
    std::string path;            // the target as given: a file, a folder or a pattern
};

// Reads "-p N", "-s", "-z", "-q", "-?" (also with "/", any case) and one path.
// Returns false on a usage error: fewer than two elements, "-?", a pass count that is
// missing, not a number or not above 0, an empty or a second path, or neither "-z"
// nor a path.
bool ParseShredderArgv(const ShredderArgv& argv, ShredderOptions& options);

// True when a file or folder shred of this target would take a whole drive: a drive
// root ("C:\"), a bare drive ("C:"), a pattern at a drive root ("C:\*.*"), the same for
// a network share root, or a device path. `fullPath` is the argument's full path name.
bool IsWholeDriveTarget(const std::string& argument, const std::string& fullPath);

// True when the text holds a wildcard ('*' or '?').
bool HasWildcard(const std::string& text);
