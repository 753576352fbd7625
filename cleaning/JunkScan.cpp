#include "cleaning/JunkScan.h"

#include "fileengines/FileFacts.h"
#include "fileengines/ShellServices.h"
#include "common/CaseRule.h"

#include <cmath>

namespace cleaning {

file_engines::DeleteAction DeleteActionOf(int mode)
{
    switch (mode) {
    case scanDeleteToRecycleBin: return file_engines::deleteToRecycleBin;
    case scanDeletePermanentlyConfirmed: return file_engines::deletePermanentlyConfirmed;
    case scanDeletePermanently: return file_engines::deletePermanently;
    case scanDeleteToRecycleBinConfirmed:
    default: return file_engines::deleteToRecycleBinConfirmed;
    }
}

JunkScan::JunkScan(const ScanSettings& settings, file_engines::ScanObserver& observer,
                   file_engines::FileDeleter& deleter, TObjectList<FoundFileRecord>& found)
    : settings_(settings), observer_(observer), deleter_(deleter), found_(found),
      exclusions_(settings.excludeDirs, settings.skipRecycleBin), searchTextUpper_(common::UpperCase(settings.searchText)),
      scannedBytes_(settings.startBytes)
{
}

void JunkScan::Visit(const file_engines::WalkItem& item)
{
    if (!item.hasFindData)
        return; // nothing known of it, so nothing to decide
    const WIN32_FIND_DATAA& entry = item.findData;
    unsigned long long size = file_engines::SizeOf(entry);
    CountProgress(size);

    // Only files are collected by the size, age and name searches and deleted at once;
    // a folder that matches a mask is merely listed, so the user decides about its content.
    bool isFile = !(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    switch (settings_.mode) {
    case scanEmptyFiles:
        if (size == 0 && isFile && !file_engines::IsInRecycleFolder(item.path, settings_.skipRecycleBin))
            Collect(item, size);
        break;
    case scanFileName:
        if (!searchTextUpper_.empty() && isFile && common::UpperCase(item.path).find(searchTextUpper_) != std::string::npos &&
            !file_engines::IsInRecycleFolder(item.path, settings_.skipRecycleBin))
            Collect(item, size);
        break;
    case scanNotAccessed:
        if (isFile && file_engines::ValidFileTime(entry.ftLastAccessTime) &&
            static_cast<double>(file_engines::WholeDaysSince(entry.ftLastAccessTime, settings_.now)) > settings_.olderThanDays &&
            !file_engines::IsInRecycleFolder(item.path, settings_.skipRecycleBin))
            Collect(item, size);
        break;
    case scanList:
        if (MatchesMasks(item.path))
            Collect(item, size);
        break;
    default:
        if (DeletesAtOnce(settings_.mode) && isFile && MatchesMasks(item.path)) {
            file_engines::DeleteOutcome outcome = deleter_.Delete(item.path, DeleteActionOf(settings_.mode));
            if (outcome == file_engines::DeleteOutcome::Deleted)
                ++deleted_;
            else if (outcome == file_engines::DeleteOutcome::Failed)
                observer_.DeleteFailed(item.path);
        }
        break;
    }
}

bool JunkScan::MatchesMasks(const std::string& path)
{
    if (!file_engines::TestFile(settings_.masks, file_engines::EndingOf(path)))
        return false;
    std::string folder = common::UpperCase(file_engines::FolderPartOf(path));
    if (folder != lastFolder_ || lastFolder_.empty()) {
        lastFolder_ = folder;
        lastFolderExcluded_ = exclusions_.IsExcludedFolder(folder);
    }
    return !lastFolderExcluded_;
}

void JunkScan::Collect(const file_engines::WalkItem& item, unsigned long long size)
{
    auto* record = new FoundFileRecord;
    record->displayName = DisplayNameOf(item);
    record->path = item.path;
    record->size = size;
    record->sizeText = std::to_string(size);
    record->lastWrite = item.findData.ftLastWriteTime;
    record->dateText = file_engines::DateText(item.findData.ftLastWriteTime);
    record->attributes = file_engines::AttributeLetters(item.findData.dwFileAttributes);
    found_.Add(record);
}

std::string JunkScan::DisplayNameOf(const file_engines::WalkItem& item)
{
    auto ask = [&item] { return file_engines::GetDisplayName(item.folder, item.item, SHGDN_NORMAL); };
    if (item.findData.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        return ask(); // folders may carry a name of their own (desktop.ini)
    std::string name = item.path.substr(item.path.find_last_of('\\') + 1);
    size_t dot = name.find_last_of('.');
    std::string extension = dot == std::string::npos ? std::string() : common::UpperCase(name.substr(dot));
    auto known = nameStyles_.find(extension);
    if (known != nameStyles_.end()) {
        switch (known->second) {
        case NameStyle::FullName: return name;
        case NameStyle::WithoutExtension: return name.substr(0, dot);
        case NameStyle::AskEachTime: return ask();
        }
    }
    std::string shown = ask();
    NameStyle style = shown == name ? NameStyle::FullName
                      : dot != std::string::npos && shown == name.substr(0, dot) ? NameStyle::WithoutExtension
                                                                                 : NameStyle::AskEachTime;
    nameStyles_.emplace(extension, style);
    return shown;
}

void JunkScan::CountProgress(unsigned long long size)
{
    scannedBytes_ += static_cast<double>(size);
    if (settings_.totalBytes == 0)
        return;
    int percent = static_cast<int>(std::lround(scannedBytes_ * 100.0 / static_cast<double>(settings_.totalBytes)));
    if (percent != lastPercent_) {
        lastPercent_ = percent;
        observer_.Progress(percent);
    }
}

} // namespace cleaning
