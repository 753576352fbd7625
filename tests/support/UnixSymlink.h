// Real symbolic links for tests. Wine shows a Unix symbolic link as a reparse point but
// its CreateSymbolicLinkA does nothing, so under Wine the link is made with the Linux
// system call itself; on Windows the system's own call is used.
#pragma once

#include <memory>
#include <string>

namespace testing_support {

// A link at `link` that leads to `target`; false when the system cannot make one.
bool MakeUnixSymlink(const std::string& link, const std::string& target, bool toFolder = true);
// Removes the link itself, never what it leads to.
void RemoveUnixSymlink(const std::string& link);

// A second drive letter onto a folder, as "subst" makes one: under Wine a link in the
// prefix's dosdevices folder, on Windows a DOS device. False when it cannot be made
// (the letter is taken, say). The mapping goes when the object goes.
class MappedDrive {
public:
    MappedDrive(char letter, const std::string& folder);
    ~MappedDrive();
    MappedDrive(const MappedDrive&) = delete;
    MappedDrive& operator=(const MappedDrive&) = delete;

    // Shares under Wine, which knows none of its own: "\\server\share\x" then reaches
    // "<folder>\server\share\x". Not made on Windows.
    static std::unique_ptr<MappedDrive> Shares(const std::string& folder);

    bool Made() const { return made_; }
    std::string Root() const { return std::string(1, static_cast<char>(device_[0] & ~0x20)) + ":\\"; }

private:
    MappedDrive(const std::string& device, const std::string& folder);

    std::string device_; // its name among the DOS devices: "m:", "unc"
    bool made_ = false;
    std::string link_; // under Wine, the Unix path of the link
};

} // namespace testing_support
