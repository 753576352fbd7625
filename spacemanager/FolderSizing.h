// How much space a shell item takes, for the space manager's tree and list: the bytes of
// everything below a file-system folder, a drive's used space, a file's own size.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

// Asked between entries of a long walk; false stops the walk (the user cancelled or
// the window goes). It is also where the window keeps itself alive.
using KeepSizing = std::function<bool()>;

// Told of each folder right below the measured one, with its bytes, once it has been
// walked whole: what a later sizing of that folder would find.
using SubfolderMeasured = std::function<void(const std::string& folder, uint64_t bytes)>;

// Bytes of every file below folder, links to folders neither followed nor counted
// beyond their own entry. `complete` is false when keepGoing stopped the walk; the
// bytes counted until then are returned.
uint64_t MeasureFolder(const std::string& folder, const KeepSizing& keepGoing, bool& complete,
                       const SubfolderMeasured& subfolderMeasured = {});

// A drive root as the shell names it ("C:\"): a parsing name shorter than 4 characters.
bool IsDriveRootName(const std::string& parsingName);
// Used bytes of a drive ("C:\"): total minus free. 0 for the floppy "A:\" and for a
// drive without media, without the system's "no disk" box.
uint64_t DriveUsedBytes(const std::string& root);

// What a listed item is, for its size.
enum class ItemKind {
    File,       // its own size
    Folder,     // a file-system folder: the walk below it
    Link,       // a junction or a link to a folder: its own entry only
    Drive,      // a drive root: the used space
    Virtual,    // a shell folder without a file-system path (Control Panel): 0
};

// The kind from the shell's attributes (SFGAO_*), the parsing name and the find data
// when there is one. A zip archive that the shell shows as a folder (SFGAO_STREAM) is a
// file: a folder must be a file-system directory.
ItemKind ClassifyItem(ULONG shellAttributes, const std::string& parsingName, bool hasFindData,
                      DWORD fileAttributes);
