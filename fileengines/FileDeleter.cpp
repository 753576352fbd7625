#include "fileengines/FileDeleter.h"

#include "fileengines/FileIdentity.h"
#include "fileengines/FolderDescent.h"
#include "common/FindHandle.h"

#include "common/CaseRule.h"
#include "common/Language.h"
#include "common/PathFacts.h"
#include "toolkit/Effects.h"

#include <shellapi.h>

namespace file_engines {

bool NameLeadsElsewhere(const std::string& path)
{
    const file_identity::Opened file(path);
    return file.Valid() && file_identity::LeadsElsewhere(file.Handle(), path);
}

namespace {

// The root of the volume that holds path (C:\ or \\server\share\), upper-cased.
std::string DriveOf(const std::string& path)
{
    char root[MAX_PATH * 4];
    return common::UpperCase(::GetVolumePathNameA(path.c_str(), root, sizeof root) ? root : path.substr(0, 3));
}

bool RemoveForGood(const std::string& path)
{
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
        !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return DeleteFolderForGood(path);
    return DeleteFileForGood(path);
}

DeleteOutcome ShellDelete(HWND owner, const std::string& path, FILEOP_FLAGS flags)
{
    std::string source = path + std::string(2, '\0');
    SHFILEOPSTRUCTA operation{};
    operation.hwnd = owner;
    operation.wFunc = FO_DELETE;
    operation.pFrom = source.c_str();
    operation.fFlags = flags;
    effects::ShellFileOperation(operation);
    if (!common::Exists(path))
        return DeleteOutcome::Deleted;
    // The user's No in the shell's own question, or a failure the file still shows.
    return operation.fAnyOperationsAborted ? DeleteOutcome::Declined : DeleteOutcome::Failed;
}

// The shell's delete for good with its own question.
DeleteOutcome AskedForGood(HWND owner, const std::string& path)
{
    // The shell deletes a folder with all it holds, and older systems' shells go through
    // the junctions inside into other folders: only a file is handed over.
    if (common::IsFolder(path))
        return DeleteOutcome::Failed;
    return ShellDelete(owner, path, 0);
}

} // namespace

bool ShellHasRecycleBin(const std::string& path)
{
    switch (::GetDriveTypeA(DriveOf(path).c_str())) {
    case DRIVE_REMOTE:
    case DRIVE_REMOVABLE:
    case DRIVE_CDROM:
        return false;
    default:
        break;
    }
    SHQUERYRBINFO bin{};
    bin.cbSize = sizeof bin;
    return SUCCEEDED(::SHQueryRecycleBinA(path.c_str(), &bin));
}

bool DeleteFileForGood(const std::string& path)
{
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || NameLeadsElsewhere(path))
        return false;
    if (::DeleteFileA(path.c_str()))
        return true;
    const DWORD notPlain = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    if (!(attributes & FILE_ATTRIBUTE_READONLY) || (attributes & notPlain))
        return false;
    if (!::SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY))
        return false;
    if (::DeleteFileA(path.c_str()))
        return true;
    ::SetFileAttributesA(path.c_str(), attributes); // still there: as it was
    return false;
}

bool DeleteFolderForGood(const std::string& folder)
{
    {
        // Held open until its content is gone, so that the name cannot turn into a link
        // while the walk works under it.
        folder_descent::EnteredFolder entered(folder);
        if (!entered.Entered())
            return false;
        WIN32_FIND_DATAA entry;
        FindHandle search(folder + "\\*", entry);
        if (search.Valid()) {
            do {
                const std::string name = entry.cFileName;
                if (name == "." || name == ".." || (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                    continue;
                const std::string path = folder + "\\" + name;
                if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    DeleteFolderForGood(path);
                else
                    DeleteFileForGood(path);
            } while (search.Next(entry));
        }
        entered.Remove();
    } // the folder goes when it is closed
    return !common::Exists(folder);
}

DeleteOutcome ShellFileDeleter::Delete(const std::string& path, DeleteAction action)
{
    if (action < deleteToRecycleBin || action > deletePermanently)
        return DeleteOutcome::Failed;
    // Refused before anything else: the shell would act on the link's target.
    if (NameLeadsElsewhere(path))
        return DeleteOutcome::Failed;
    switch (action) {
    case deleteToRecycleBin:
    case deleteToRecycleBinConfirmed:
        return Recycle(path, action == deleteToRecycleBinConfirmed);
    case deletePermanentlyConfirmed:
        return AskedForGood(owner_, path);
    default:
        RemoveForGood(path);
        return common::Exists(path) ? DeleteOutcome::Failed : DeleteOutcome::Deleted;
    }
}

DeleteOutcome ShellFileDeleter::Recycle(const std::string& path, bool shellAsks)
{
    const std::string drive = DriveOf(path);
    auto known = binOfDrive_.find(drive);
    if (known == binOfDrive_.end())
        known = binOfDrive_.emplace(drive, hasBin_(path)).first;
    if (!known->second) {
        // Without a bin the shell would delete for good and call it done.
        if (!ForGoodWithoutBin(path))
            return DeleteOutcome::Declined;
        if (shellAsks) {
            const DeleteOutcome outcome = AskedForGood(owner_, path);
            return outcome == DeleteOutcome::Deleted ? DeleteOutcome::DeletedForGood : outcome;
        }
        RemoveForGood(path);
        return common::Exists(path) ? DeleteOutcome::Failed : DeleteOutcome::DeletedForGood;
    }
    if (shellAsks) // the shell's own question, and its own error boxes
        return ShellDelete(owner_, path, FOF_ALLOWUNDO);
    // Any question has been asked above; errors are ours to report. Only a file that the
    // bin cannot take (too large for it) makes the shell ask, as it must before a delete
    // that cannot be undone.
    return ShellDelete(owner_, path, FOF_ALLOWUNDO | FOF_WANTNUKEWARNING | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT);
}

bool ShellFileDeleter::ForGoodWithoutBin(const std::string& path)
{
    const std::string drive = DriveOf(path);
    auto known = forGoodOfDrive_.find(drive);
    if (known != forGoodOfDrive_.end())
        return known->second;
    const std::string quoted = "\"" + path + "\"";
    std::string text = language::Text(languageFlag_,
                                      "Auf dem Laufwerk von " + quoted + " gibt es keinen Papierkorb.\n"
                                      "Sollen die Dateien dieses Laufwerks endgültig gelöscht werden? "
                                      "Bei Nein bleiben sie erhalten.",
                                      "There is no recycle bin on the drive of " + quoted + ".\n"
                                      "Delete the files of this drive for good? No keeps them.");
    bool forGood = effects::ShowMessageBox(owner_, text, language::Text(languageFlag_, "Bestätigen", "Confirm"),
                                           MB_ICONWARNING | MB_YESNO) == IDYES;
    forGoodOfDrive_.emplace(drive, forGood);
    return forGood;
}

} // namespace file_engines
