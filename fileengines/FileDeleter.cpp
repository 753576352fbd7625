#include "fileengines/FileDeleter.h"

#include "fileengines/FileIdentity.h"
#include "common/FindHandle.h"

#include "common/CaseRule.h"
#include "common/Language.h"
#include "common/PathFacts.h"
#include "toolkit/Effects.h"

#include <shellapi.h>

namespace file_engines {

namespace {

std::string NameOf(const std::string& path)
{
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderOf(const std::string& path)
{
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}


} // namespace

bool NameLeadsElsewhere(const std::string& path)
{
    const file_identity::Opened file(path);
    // Systems before Vista give no final path: they have no links to files either.
    std::string target = file.Valid() ? file_identity::FinalPathOf(file.Handle()) : std::string();
    if (target.empty())
        return false;
    if (target.compare(0, 4, "\\\\?\\") == 0)
        target.erase(0, 4);

    // The walk names files by their long names; compare those.
    char longPath[MAX_PATH * 4];
    DWORD longLength = ::GetLongPathNameA(path.c_str(), longPath, sizeof longPath);
    std::string own = longLength > 0 && longLength < sizeof longPath ? std::string(longPath) : path;
    if (!common::SameText(NameOf(target), NameOf(own)))
        return true;
    return !file_identity::Same(FolderOf(target), FolderOf(own));
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
    ::RemoveDirectoryA(folder.c_str());
    return !common::Exists(folder);
}

DeleteOutcome ShellFileDeleter::Delete(const std::string& path, int action)
{
    if (action < deleteToRecycleBin || action > deletePermanently)
        return DeleteOutcome::Failed;
    if (NameLeadsElsewhere(path))
        return DeleteOutcome::Failed;
    if ((action == deleteToRecycleBinConfirmed || action == deletePermanentlyConfirmed) && !Confirmed(path, action))
        return DeleteOutcome::Declined;
    if (action == deleteToRecycleBin || action == deleteToRecycleBinConfirmed)
        return Recycle(path);
    RemoveForGood(path);
    return common::Exists(path) ? DeleteOutcome::Failed : DeleteOutcome::Deleted;
}

DeleteOutcome ShellFileDeleter::Recycle(const std::string& path)
{
    const std::string drive = DriveOf(path);
    auto known = binOfDrive_.find(drive);
    if (known == binOfDrive_.end())
        known = binOfDrive_.emplace(drive, hasBin_(path)).first;
    if (!known->second) {
        // Without a bin the shell would delete for good and call it done.
        if (!ForGoodWithoutBin(path))
            return DeleteOutcome::Declined;
        RemoveForGood(path);
        return common::Exists(path) ? DeleteOutcome::Failed : DeleteOutcome::DeletedForGood;
    }
    // Any question has been asked above; errors are ours to report. Only a file that the
    // bin cannot take (too large for it) makes the shell ask, as it must before a delete
    // that cannot be undone.
    std::string source = path + std::string(2, '\0');
    SHFILEOPSTRUCTA operation{};
    operation.hwnd = owner_;
    operation.wFunc = FO_DELETE;
    operation.pFrom = source.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_WANTNUKEWARNING | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    ::SHFileOperationA(&operation);
    if (!common::Exists(path))
        return DeleteOutcome::Deleted;
    return operation.fAnyOperationsAborted ? DeleteOutcome::Declined : DeleteOutcome::Failed;
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

bool ShellFileDeleter::Confirmed(const std::string& path, int action) const
{
    bool toBin = action == deleteToRecycleBinConfirmed;
    std::string text =
        toBin ? language::Text(languageFlag_, "Soll \"" + path + "\" in den Papierkorb verschoben werden?",
                               "Move \"" + path + "\" to the Recycle Bin?")
              : language::Text(languageFlag_, "Soll \"" + path + "\" endgültig gelöscht werden?",
                               "Delete \"" + path + "\" for good?");
    int answer = effects::ShowMessageBox(owner_, text, language::Text(languageFlag_, "Bestätigen", "Confirm"),
                                         MB_ICONEXCLAMATION | MB_YESNO);
    return answer == IDYES;
}

} // namespace file_engines
