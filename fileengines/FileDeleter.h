// fileengines/: what more than one area uses to touch files, with no window of its own.
// Deleting one file at once, as the scan's delete modes do: to the recycle bin with or
// without asking, for good with asking, or for good without a word.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>

namespace file_engines {

// How one file is deleted at once. The scan's delete modes map to these
// (cleaning::DeleteActionOf); the fixed type lets the main form's header name it.
enum DeleteAction : int {
    deleteToRecycleBin = 1,             // no question
    deleteToRecycleBinConfirmed = 2,    // asks first
    deletePermanentlyConfirmed = 3,     // asks first
    deletePermanently = 4,              // no question
};

enum class DeleteOutcome {
    Deleted,
    DeletedForGood, // asked for the recycle bin, but the bin could not take it
    Declined,       // the user answered No
    Failed,         // the file is still there (locked, gone elsewhere, a link, ...)
};

// True when the recycle bin of the path's drive can take files. Network and removable
// drives have none; there the shell would delete for good without a word.
using RecycleBinCheck = std::function<bool(const std::string& path)>;
bool ShellHasRecycleBin(const std::string& path);

// The seam between the scan and the file system, so that the scan's decisions can be
// watched without deleting anything.
class FileDeleter {
public:
    virtual ~FileDeleter() = default;
    virtual DeleteOutcome Delete(const std::string& path, DeleteAction action) = 0;
};

// The real deleter. Actions 1 and 2 move the file into the recycle bin through the shell
// (SHFileOperationA, FO_DELETE with undo): action 1 without a question (the shell only warns
// before it deletes for good a file that the bin cannot take), action 2 with the shell's own
// question. On a drive without a bin the user is asked first (once per drive) whether its
// files go for good. Action 3 is the shell's delete for good with its own question, for
// files only; action 4 deletes for good without a word (DeleteFileForGood, or
// DeleteFolderForGood for a folder). A name that leads to another file (a link that the
// system shows as an ordinary file; some systems delete the link's target through it) is
// never deleted. Success is judged by the file being gone afterwards, not by the call's
// result alone; a No in the shell's question is told apart from a failure.
class ShellFileDeleter : public FileDeleter {
public:
    ShellFileDeleter(int languageFlag, HWND owner, RecycleBinCheck hasBin = ShellHasRecycleBin)
        : languageFlag_(languageFlag), owner_(owner), hasBin_(std::move(hasBin))
    {
    }
    DeleteOutcome Delete(const std::string& path, DeleteAction action) override;

private:
    DeleteOutcome Recycle(const std::string& path, bool shellAsks);
    // Asks once per drive whether the files of a drive without a bin go for good.
    bool ForGoodWithoutBin(const std::string& path);

    int languageFlag_;
    HWND owner_;
    RecycleBinCheck hasBin_;
    std::map<std::string, bool> binOfDrive_;
    std::map<std::string, bool> forGoodOfDrive_;
};

// Deletes a file for good. A read-only file goes too: whoever deletes for good wants it
// gone. The attribute is cleared only on a plain file, never on a folder or a link.
bool DeleteFileForGood(const std::string& path);

// Deletes a folder with its whole content for good. Links inside (junctions, folder
// links, names that lead to other files) are neither followed nor deleted: they stay,
// and so do the folders that hold them; so does a folder that is a link by the time the
// walk gets to it. True when the folder is gone.
bool DeleteFolderForGood(const std::string& folder);

// True when opening `path` reaches a file of another name or in another folder -- the
// mark of a symbolic link that the system does not show as one. False when that cannot
// be told (no such system call, or the file does not open).
bool NameLeadsElsewhere(const std::string& path);

} // namespace file_engines
