#include "common/Language.h"
#include "shell/SidebarLinks.h"

namespace sidebar {
namespace {

struct Entry {
    const char* german;
    const char* english;
    int iconIndex;
};

// The privacy switches exist from Windows 2000 on, the disk check on the NT family only.
const int privacyMinOsLevel = 2;
const int diskCheckMinOsLevel = 1;

const Entry cleanHardDrive[] = {
    {"Laufwerke wählen", "Choose Drive", 0},
    {"Dateimasken", "File Masks", 1},
    {"Suchausnahmen", "Search Exceptions", 2},
    {"Start", "Start", 3},
};
const Entry cleanFolders[] = {
    {"Freien Speicher löschen", "Wipe Free Space", 3},
    {"Dateien schreddern", "Shred Files", 14},
    {"Doppelte Dateien", "Duplicate files", 15},
    {"Gemeinsame DLLs", "Shared DLLs", 18},
};
const Entry cleanCenter[] = {
    {"IE Cookies", "IE Cookies", 6},
    {"Registry säubern", "Registry Cleaner", 16},
    {"Reinigungscenter", "Clean Center", 17},
    {"Autostart", "Autostart", 20},
    {"Deinstallationseinträge", "Uninstall Entries", 21},
    {"Installierte Software", "Installed Software", 22},
    {"Dateien teilen", "File Splitter", 23},
};
const Entry privacy = {"XP-Datenschutz", "XP Privacy", 24};
const Entry driveInformation[] = {
    {"Laufwerksinformationen", "Drive Information", 12},
    {"Hoardmap-Informationen", "Hoardmap Information", 8},
    {"VovOzOVIZ", "VovOzOVIZ", 7},
};
const Entry diskCheck = {"Datenträgerprüfung", "Check Disk", 25};
const Entry backups[] = {
    {"Sicherungen", "Backups", 9},
};
const Entry options[] = {
    {"Neue Version suchen", "Check for New Version", 13},
    {"Optionen", "Options", 10},
};

template <size_t N>
std::vector<Link> Captions(const Entry (&entries)[N], bool german)
{
    std::vector<Link> links;
    for (const Entry& entry : entries)
        links.push_back({language::Text(german, entry.german, entry.english), entry.iconIndex});
    return links;
}

} // namespace

GroupLinks LinksOf(int group, bool german, int osLevel)
{
    auto caption = [german](const Entry& entry) {
        return Link{language::Text(german, entry.german, entry.english), entry.iconIndex};
    };
    switch (group) {
    case 0: return {Captions(cleanHardDrive, german), 86};
    case 1: return {Captions(cleanFolders, german), 86};
    case 2: {
        GroupLinks group2{Captions(cleanCenter, german), 134};
        if (osLevel >= privacyMinOsLevel) {
            group2.links.push_back(caption(privacy));
            group2.panelHeight = 150;
        }
        return group2;
    }
    case 3: {
        GroupLinks group3{Captions(driveInformation, german), 70};
        if (osLevel >= diskCheckMinOsLevel) {
            group3.links.push_back(caption(diskCheck));
            group3.panelHeight = 86;
        }
        return group3;
    }
    case 4: return {Captions(backups, german), 38};
    case 5: return {Captions(options, german), 54};
    default: return {{}, 0};
    }
}

} // namespace sidebar
