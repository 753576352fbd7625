// Real symbolic links for tests. Wine shows a Unix symbolic link as a reparse point but
// its CreateSymbolicLinkA does nothing, so under Wine the link is made with the Linux
// system call itself; on Windows the system's own call is used.
#pragma once

#include <string>

namespace testing_support {

// A link at `link` that leads to `target`; false when the system cannot make one.
bool MakeUnixSymlink(const std::string& link, const std::string& target, bool toFolder = true);
// Removes the link itself, never what it leads to.
void RemoveUnixSymlink(const std::string& link);

} // namespace testing_support
