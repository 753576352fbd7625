// Deleting one file at once, as the scan's delete modes do: to the recycle bin with or
// without asking, for good with asking, or for good without a word.
#pragma once

#include <windows.h>

#include <string>

namespace cleaning {

// The scan's delete modes 1 to 4.
enum DeleteAction {
    deleteToRecycleBin = 1,             // no question
    deleteToRecycleBinConfirmed = 2,    // asks first
    deletePermanentlyConfirmed = 3,     // asks first
    deletePermanently = 4,              // no question
};

enum class DeleteOutcome {
    Deleted,
    Declined, // the user answered No
    Failed,   // the file is still there (locked, gone elsewhere, a link, ...)
};

// The seam between the scan and the file system, so that the scan's decisions can be
// watched without deleting anything.
class FileDeleter {
public:
    virtual ~FileDeleter() = default;
    virtual DeleteOutcome Delete(const std::string& path, int action) = 0;
};

// The real deleter. Actions 1 to 3 go through the shell (SHFileOperationA, FO_DELETE;
// 1 and 2 with undo, so into the recycle bin); 4 is DeleteFileA. Actions 2 and 3 ask
// through the effects seam first, in the language of languageFlag. A name that leads to
// another file (a link that the system shows as an ordinary file; some systems delete
// the link's target through it) is never deleted. Success is judged by the file being
// gone afterwards, not by the call's result alone.
class ShellFileDeleter : public FileDeleter {
public:
    ShellFileDeleter(int languageFlag, HWND owner) : languageFlag_(languageFlag), owner_(owner) {}
    DeleteOutcome Delete(const std::string& path, int action) override;

private:
    bool Confirmed(const std::string& path, int action) const;

    int languageFlag_;
    HWND owner_;
};

// True when opening `path` reaches a file of another name or in another folder -- the
// mark of a symbolic link that the system does not show as one. False when that cannot
// be told (no such system call, or the file does not open).
bool NameLeadsElsewhere(const std::string& path);

} // namespace cleaning
