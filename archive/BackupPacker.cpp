#include "archive/BackupPacker.h"

#include "archive/BackupProjects.h"
#include "archive/Zip.h"
#include "common/CaseRule.h"

#include <set>

namespace backup {

bool ArchiveEntryNames(const std::string& archivePath, std::vector<std::string>& names)
{
    names.clear();
    ZipHandle reader = ZipReaderOpen(archivePath.c_str(), 0, ZipSourceKind::FileName);
    if (!reader)
        return false;
    ZipItemInfo info{};
    bool read = ZipReaderGetItem(reader, -1, &info) == ZipOk;
    const int count = read ? info.index : 0;
    for (int i = 0; read && i < count; ++i) {
        read = ZipReaderGetItem(reader, i, &info) == ZipOk;
        if (read)
            names.push_back(SlashToBackslash(info.name));
    }
    ZipReaderClose(reader);
    return read;
}

PackResult PackFiles(const std::string& archivePath, const std::vector<std::string>& paths,
                     PackObserver& observer)
{
    PackResult result;
    std::vector<std::string> wanted;
    for (const std::string& path : paths)
        if (!path.empty())
            wanted.push_back(path);

    ZipHandle writer = ZipWriterOpen(const_cast<char*>(archivePath.c_str()), 0, ZipSourceKind::FileName);
    if (!writer) {
        result.unsaved = wanted;
        return result;
    }
    result.archiveOpened = true;

    std::vector<std::string> added;
    size_t next = 0;
    for (; next < wanted.size(); ++next) {
        if (observer.Cancelled()) {
            result.cancelled = true;
            break;
        }
        const std::string& path = wanted[next];
        observer.FileStarted(path);
        ZipResult added1 = ZipWriterAdd(writer, path.c_str(), path.c_str(), 0, ZipSourceKind::FileName);
        if (added1 == ZipOk) {
            added.push_back(path);
        } else {
            result.unsaved.push_back(path);
            observer.AddFailed(path, added1);
        }
    }
    for (; next < wanted.size(); ++next)
        result.unsaved.push_back(wanted[next]);

    const ZipResult closed = IsZipReaderHandle(writer) ? ZipReaderClose(writer) : ZipWriterClose(writer);
    result.archiveClosed = closed == ZipOk;

    // Trust what the archive says it holds, not what the adds said: a file is saved
    // when the closed archive's directory lists it.
    std::vector<std::string> names;
    std::set<std::string> listed;
    if (result.archiveClosed && ArchiveEntryNames(archivePath, names))
        for (const std::string& name : names)
            listed.insert(common::UpperCase(name));
    for (const std::string& path : added) {
        if (listed.count(common::UpperCase(SlashToBackslash(path))))
            result.saved.push_back(path);
        else
            result.unsaved.push_back(path);
    }
    if (result.saved.empty())
        DeleteFileA(archivePath.c_str());
    return result;
}

} // namespace backup
