// The plain records of the junk scan: a mask or exclusion folder with its check mark,
// a scan location, and a file that the scan found.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <string>

// One file-ending mask or exclusion folder with its check mark.
struct CheckedEntry {
    bool active = true;
    std::string text;
};

// One file the scan found. The texts are what the found-files list shows; size and
// lastWrite keep the raw values so that sorting never has to read the texts back.
struct FoundFileRecord {
    int iconIndex = -1; // looked up when the list first shows the row
    std::string displayName;
    std::string typeName;
    std::string path;
    std::string sizeText;
    std::string dateText;
    std::string attributes;
    unsigned long long size = 0;
    FILETIME lastWrite{};
};

// One scan or duplicate-search location: the scan binds `item` through `parentFolder`.
struct ShellItemRecord {
    IShellFolder* parentFolder = nullptr;
    IShellFolder* rootFolder = nullptr;
    LPITEMIDLIST item = nullptr;
    LPITEMIDLIST parentItem = nullptr;
    std::string parsingName;
    std::string displayName;
};
