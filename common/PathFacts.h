// What the file system says about a path, and where the running program lies.
#pragma once

#include <string>

namespace common {

// Something (file or folder) is there.
bool Exists(const std::string& path);

// A folder is there.
bool IsFolder(const std::string& path);

// A file, not a folder, is there. An empty path is none (the system would take it as
// the current folder).
bool FileExists(const std::string& path);

// The full path of the running program's executable.
std::string OwnExecutable();

// The folder that holds the running program, without a trailing backslash.
std::string OwnFolder();

} // namespace common
