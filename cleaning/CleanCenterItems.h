// The clean center's 22 one-click items: what each empties or deletes, what its details
// link shows, the order in which a run takes them, and their stored check marks.
#pragma once

#include <array>
#include <string>

namespace clean_center {

constexpr int kItemCount = 22;
constexpr int kGroupCount = 5;

// The switch that makes Windows clear its page file at shutdown (HKEY_LOCAL_MACHINE).
inline constexpr const char* kPageFileKey = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
inline constexpr const char* kPageFileValue = "ClearPageFileAtShutdown";

enum class Action {
    Recent, Temp, RecycleBin, Prefetch, PageFile, DeleteKey,
    CacheWithCookies, CacheWithoutCookies, History, OfflinePages,
};

enum class Details { OpenFolder, OpenSpecialFolder, ValueViewer, Box, CookieDialog };

struct Item {
    int group;
    const char* german;
    const char* english;
    Action action;
    // DeleteKey: the key under HKEY_CURRENT_USER and the subkey deleted from it.
    const char* parentKey;
    const char* subkey;
    Details details;
    int specialFolder;         // OpenSpecialFolder: the CSIDL
    const char* viewerKey;     // ValueViewer: the key shown
    const char* germanTitle;   // ValueViewer: the viewer's title; Box: its text
    const char* englishTitle;
    const char* germanCaption; // Box: its caption
    const char* englishCaption;
};

const Item& ItemAt(int index);
const char* GroupTitle(int group, bool german);

// The indexes in the order a run takes them: 20 and 21 swapped, as they always ran.
const std::array<int, kItemCount>& RunOrder();

using Ticks = std::array<bool, kItemCount>;

// The check marks stored as one digit per item. A digit other than 0 ticks its item;
// anything else -- a missing position, a letter -- leaves it unticked.
Ticks ParseTicks(const std::string& stored);
std::string TicksText(const Ticks& ticks);

} // namespace clean_center
