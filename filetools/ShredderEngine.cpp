#include "filetools/ShredderEngine.h"

#include "filetools/ShredderMessages.h"
#include "filetools/ShredderPatterns.h"

#include <algorithm>

namespace {

bool IsDotEntry(const WIN32_FIND_DATAA& entry)
{
    return std::string(entry.cFileName) == "." || std::string(entry.cFileName) == "..";
}

// Junctions and symbolic links lead out of the folder being shredded: the walk neither
// enters nor touches them (some systems even apply attribute changes and deletes of a
// link to its target).
bool IsLink(const WIN32_FIND_DATAA& entry)
{
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

// A found name in the folder of a search text (the text up to its last '\').
std::string EntryPath(const std::string& searchText, const char* name)
{
    size_t slash = searchText.find_last_of('\\');
    return slash == std::string::npos ? std::string(name) : searchText.substr(0, slash + 1) + name;
}

constexpr DWORD kPackedAttributes =
    FILE_ATTRIBUTE_COMPRESSED | FILE_ATTRIBUTE_ENCRYPTED | FILE_ATTRIBUTE_SPARSE_FILE;

} // namespace

ShredderEngine::ShredderEngine(const ShredderOptions& options, ShredderObserver& observer,
                               ShredderIo& io)
    : options_(options), observer_(observer), io_(io), volumes_(io)
{
}

void ShredderEngine::PrintError(const char* format, const std::string& path, DWORD error)
{
    Print(FormatText(format, path.c_str()) + FormatSystemErrorMessage(error));
}

void ShredderEngine::SetDelAttributes(const std::string& path)
{
    io_.SetAttributes(path, FILE_ATTRIBUTE_NORMAL);
}

void ShredderEngine::ShredDirectory(const std::string& path, std::string& pattern)
{
    std::string folderPattern;
    std::string searchText;
    if (firstLevel_) {
        size_t slash = path.find_last_of('\\');
        if (HasWildcard(path) && slash != std::string::npos) {
            pattern = path.substr(slash + 1);
            folderPattern = path.substr(0, slash + 1) + "*.*";
            // Only "everything in the folder" also takes the subfolders away.
            deleteFolders_ = pattern == "*.*" || pattern == "*";
        } else if (HasWildcard(path)) {
            pattern = path;
            folderPattern = path;
        } else {
            pattern = "*.*";
            folderPattern = path;
            deleteFolders_ = true;
        }
        searchText = path;
    } else {
        folderPattern = path + "\\*.*";
        searchText = path + "\\" + pattern;
    }

    // The folder is listed before anything in it is renamed or deleted, so the walk
    // never meets its own renamed files.
    for (const WIN32_FIND_DATAA& entry : io_.List(searchText)) {
        if (IsDotEntry(entry))
            continue;
        std::string entryPath = EntryPath(folderPattern, entry.cFileName);
        observer_.ShowPath(entryPath);
        observer_.ProcessMessages();
        if (Cancelled())
            return;
        if (!IsLink(entry))
            SetDelAttributes(entryPath);
        observer_.EntryStarted();
        ShredEntry(entry, entryPath);
    }
    if (Cancelled() || !options_.recurse)
        return;

    std::string folderSearch = folderPattern;
    if (firstLevel_ && folderPattern.find('\\') == std::string::npos)
        folderSearch = HasWildcard(folderPattern) ? "*.*" : folderPattern;
    std::vector<WIN32_FIND_DATAA> folders = io_.List(folderSearch);
    if (folders.empty())
        return;
    firstLevel_ = false;
    for (const WIN32_FIND_DATAA& entry : folders) {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || IsDotEntry(entry))
            continue;
        if (Cancelled())
            return;
        std::string folderPath = EntryPath(folderPattern, entry.cFileName);
        observer_.ProcessMessages();
        observer_.ShowPath(folderPath);
        if (IsLink(entry)) {
            Print(FormatText("\nSkipping link %s\n", folderPath.c_str()));
            if (deleteFolders_)
                ++tally_.foldersLeft;
            continue;
        }
        // The listing may be out of date: whoever can write here can have swapped the
        // folder for a link since. Held open from here on, it stays what was entered.
        const std::unique_ptr<folder_descent::EnteredFolder> entered = io_.EnterFolder(folderPath);
        if (!entered) {
            if (GetLastError() == ERROR_CANT_RESOLVE_FILENAME)
                Print(FormatText("\nSkipping link %s\n", folderPath.c_str()));
            else
                PrintError("\nError deleting %s: ", folderPath, GetLastError());
            if (deleteFolders_)
                ++tally_.foldersLeft;
            continue;
        }
        ShredDirectory(folderPath, pattern);
        if (!deleteFolders_)
            continue;
        SetDelAttributes(folderPath);
        observer_.ShowPath(folderPath);
        if (Cancelled())
            return;
        if (!io_.RemoveFolder(*entered)) {
            PrintError("\nError deleting %s: ", folderPath, GetLastError());
            ++tally_.foldersLeft;
        }
    }
}

void ShredderEngine::ShredEntry(const WIN32_FIND_DATAA& entry, const std::string& path)
{
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return;
    ++tally_.filesFound;
    if (!options_.quiet)
        Print(path + "...");
    if (IsLink(entry)) {
        Print(FormatText("\nSkipping link %s\n", path.c_str()));
        ++tally_.filesLeft;
        return;
    }
    Outcome outcome = Outcome::Plain;
    if (entry.dwFileAttributes & kPackedAttributes)
        outcome = ShredPackedFile(path);
    const bool oldClustersStay = outcome == Outcome::PlainOldClustersStay;
    if (outcome == Outcome::Plain || oldClustersStay)
        outcome = Cancelled() ? Outcome::Cancelled
                              : ShredFile(path, (static_cast<uint64_t>(entry.nFileSizeHigh) << 32) |
                                                    entry.nFileSizeLow);
    switch (outcome) {
    case Outcome::Shredded:
        ++tally_.filesShredded;
        if (oldClustersStay) {
            Print(FormatText("The volume of %s could not be told for sure: the file was overwritten "
                             "through itself, and its old clusters were not wiped.\n", path.c_str()));
            tally_.oldClustersLeft.push_back(path);
        }
        return;
    case Outcome::NameRemoved:
        tally_.filesWithOtherNames.push_back(path);
        return;
    case Outcome::Left:
        ++tally_.filesLeft;
        break;
    default:
        break;
    }
    // A file that stays keeps the attributes it had.
    if (io_.GetAttributes(path) != INVALID_FILE_ATTRIBUTES)
        io_.SetAttributes(path, entry.dwFileAttributes);
}

ShredderEngine::Outcome ShredderEngine::ShredFile(const std::string& path, uint64_t size)
{
    ShredderStatus status;
    status.kind = ShredderStatus::DeletingFile;
    status.path = path;
    observer_.ShowStatus(status);
    SetDelAttributes(path);
    if (Cancelled())
        return Outcome::Cancelled;
    HANDLE file = io_.OpenForOverwrite(path);
    if (file == INVALID_HANDLE_VALUE) {
        PrintError("\nError opening %s for delete: ", path, GetLastError());
        return Outcome::Left;
    }
    // The file's other names, outside the chosen target, still show its data.
    ShredderFileInfo info;
    if (io_.QueryFileInfo(file, info) && info.links > 1) {
        io_.Close(file);
        Print(FormatText("\n%s has other names; its data were not overwritten.\n", path.c_str()));
        Outcome outcome = RemoveScrambled(path);
        return outcome == Outcome::Shredded ? Outcome::NameRemoved : outcome;
    }
    bool overwritten = OverwriteFile(file, size);
    DWORD error = GetLastError();
    io_.Close(file);
    if (Cancelled())
        return Outcome::Cancelled;
    if (!overwritten) {
        PrintError("\nError overwriting %s: ", path, error);
        return Outcome::Left;
    }
    return RemoveScrambled(path);
}

bool ShredderEngine::OverwriteFile(HANDLE file, uint64_t size)
{
    if (size == 0)
        return true;
    // The last byte first: a file that cannot be written to its end fails before any
    // of it is touched.
    if (!io_.SeekTo(file, size - 1) || !WritePasses(file, 1))
        return false;
    // Then the whole file per pattern, so that each pattern reaches the disk in one flush.
    observer_.FileProgress(0, size);
    return size == 1 || (io_.SeekTo(file, 0) && WritePasses(file, size, true));
}

ShredderEngine::Outcome ShredderEngine::RemoveScrambled(const std::string& path)
{
    if (Cancelled())
        return Outcome::Cancelled;
    std::string lastName;
    ScrambleFileName(path, lastName);
    if (io_.RemoveFile(lastName)) {
        if (io_.GetAttributes(lastName) == INVALID_FILE_ATTRIBUTES) {
            if (!options_.quiet)
                Print("deleted.\n");
            return Outcome::Shredded;
        }
        // The delete only takes effect once another program lets go of the file.
        SetLastError(ERROR_SHARING_VIOLATION);
    }
    PrintError("\nError deleting %s: ", path, GetLastError());
    if (!Cancelled() && lastName != path && !io_.RenameFile(lastName, path)) {
        std::string notice = FormatText(
            "\nError renaming file back to original name. File is left as %s\n", lastName.c_str());
        Print(notice);
        observer_.ShowNotice(notice);
        tally_.scrambledLeft.push_back({path, lastName});
    }
    return Outcome::Left;
}

bool ShredderEngine::WritePasses(HANDLE handle, uint64_t length, bool showProgress)
{
    const unsigned char* const* blocks = ShredderPatternBlocks(observer_);
    if (!blocks)
        return false;
    ShredderStatus status;
    status.kind = ShredderStatus::Pass;
    status.passes = options_.passes;
    for (unsigned pass = 1; pass <= options_.passes; ++pass) {
        if (Cancelled())
            return false;
        status.pass = pass;
        observer_.ShowStatus(status);
        if (pass > 1 && !io_.SeekBack(handle, length))
            return false;
        for (int pattern = kZeros; pattern < kPatternCount; ++pattern) {
            if (pattern != kZeros && !io_.SeekBack(handle, length))
                return false;
            for (uint64_t done = 0; done < length;) {
                observer_.ProcessMessages();
                if (Cancelled())
                    return false;
                DWORD piece = static_cast<DWORD>(std::min<uint64_t>(kPatternBlockSize, length - done));
                if (!io_.Write(handle, blocks[pattern], piece))
                    return false;
                done += piece;
                if (showProgress)
                    observer_.FileProgress(done, length);
            }
            // The next pattern overwrites this one; where the system keeps writes in its
            // cache despite write-through (Wine does), only the last one would ever
            // reach the disk.
            if (!io_.Flush(handle))
                return false;
        }
    }
    return true;
}

void ShredderEngine::ScrambleFileName(const std::string& path, std::string& lastName)
{
    lastName = path;
    ShredderStatus status;
    status.kind = ShredderStatus::ScramblingName;
    observer_.ShowStatus(status);
    size_t nameStart = path.find_last_of('\\');
    nameStart = nameStart == std::string::npos ? 0 : nameStart + 1;
    for (char letter = 'A'; letter <= 'Z' && !Cancelled(); ++letter) {
        std::string newName = path;
        for (size_t i = nameStart; i < newName.size(); ++i)
            if (newName[i] != '.')
                newName[i] = letter;
        if (!io_.RenameFile(lastName, newName))
            break;
        lastName = newName;
    }
}
