#include "filetools/LeftoverWipeFiles.h"

#include "common/FindHandle.h"
#include "common/Language.h"
#include "common/PathFacts.h"
#include "pageparts/MessageText.h"
#include "toolkit/Effects.h"

#include <algorithm>
#include <cctype>

namespace {

const char kWipeFilePrefix[] = "WIPE_SHREDDER";

// The box lists at most this many files; a file-table fill can leave thousands, and a
// box taller than the screen hides its own buttons.
constexpr size_t kListedFiles = 20;

std::string WithBackslash(const std::string& folder)
{
    return !folder.empty() && folder.back() == '\\' ? folder : folder + "\\";
}

} // namespace

bool IsWipeFileName(const std::string& name)
{
    const size_t prefixLength = sizeof kWipeFilePrefix - 1;
    if (name.size() < prefixLength || _strnicmp(name.c_str(), kWipeFilePrefix, prefixLength) != 0)
        return false;
    return std::all_of(name.begin() + prefixLength, name.end(),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

std::vector<LeftoverWipeFile> FindLeftoverWipeFiles(const std::string& root)
{
    std::vector<LeftoverWipeFile> files;
    const std::string folder = WithBackslash(root);
    WIN32_FIND_DATAA entry;
    FindHandle search(folder + kWipeFilePrefix + "*", entry);
    if (!search.Valid())
        return files;
    do {
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY || !IsWipeFileName(entry.cFileName))
            continue;
        files.push_back({folder + entry.cFileName,
                         (static_cast<uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow});
    } while (search.Next(entry));
    std::sort(files.begin(), files.end(),
              [](const LeftoverWipeFile& a, const LeftoverWipeFile& b) { return a.path < b.path; });
    return files;
}

std::string LeftoverWipeFilesQuestion(const std::vector<LeftoverWipeFile>& files, bool german)
{
    std::string text = std::to_string(files.size());
    if (german)
        text += " temporäre ('WIPE_SHREDDER') Dateien wurden gefunden. 'Tidewrack' verwendet diese Dateien "
                "während 'WipeFreeSpace' .\n"
                "Diese Dateien sollten nach 'WipeFreeSpace' gelöscht werden.\n\n";
    else
        text += " temporary ('WIPE_SHREDDER') files were found. 'Tidewrack' uses these files during "
                "'WipeFreeSpace' .\n"
                "These files should be deleted after using 'WipeFreeSpace'.\n\n";
    for (size_t i = 0; i < files.size() && i < kListedFiles; ++i)
        text += files[i].path + language::Text(german, " Größe : ", " Size : ") + std::to_string(files[i].size) +
                " Bytes\n";
    if (files.size() > kListedFiles)
        text += language::Text(german, "... und ", "... and ") + std::to_string(files.size() - kListedFiles) +
                language::Text(german, " weitere\n", " more\n");
    text += "\n";
    text +=
        language::Text(german, "Diese Dateien jetzt löschen (empfohlen) ?", "Delete these files now (recommended) ?");
    return text;
}

std::vector<std::string> DeleteLeftoverWipeFiles(const std::vector<LeftoverWipeFile>& files)
{
    std::vector<std::string> left;
    for (const LeftoverWipeFile& file : files) {
        // The wipe made them hidden; a read-only mark would stop the delete.
        SetFileAttributesA(file.path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!DeleteFileA(file.path.c_str()) && common::Exists(file.path))
            left.push_back(file.path);
    }
    return left;
}

unsigned OfferToDeleteLeftoverWipeFiles(HWND owner, const std::vector<std::string>& roots, bool german)
{
    std::vector<LeftoverWipeFile> files;
    for (const std::string& root : roots) {
        std::vector<LeftoverWipeFile> found = FindLeftoverWipeFiles(root);
        files.insert(files.end(), found.begin(), found.end());
    }
    if (files.empty())
        return 0;
    int answer = effects::ShowMessageBox(owner, LeftoverWipeFilesQuestion(files, german), "Tidewrack",
                                         MB_SYSTEMMODAL | MB_ICONQUESTION | MB_YESNO);
    if (answer != IDYES)
        return static_cast<unsigned>(files.size());
    // Files that stay hold the drive's free space: the user has to know which.
    std::vector<std::string> left = DeleteLeftoverWipeFiles(files);
    if (!left.empty())
        effects::ShowMessageBox(owner,
                                language::Text(german, "Diese Dateien konnten nicht gelöscht werden:\n",
                                               "These files could not be deleted:\n") +
                                    JoinLines(left, kListedFiles),
                                "Tidewrack", MB_SYSTEMMODAL | MB_ICONEXCLAMATION | MB_OK);
    return static_cast<unsigned>(files.size());
}
