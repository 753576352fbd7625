// filetools/ (an area): shredder and free-space wipe, duplicates, file splitter, folder index.
// The shredder area's offer to every caller (the shredder and wipe pages, the found-files
// window, the clean center, the space manager): the shredder window opened the one way,
// and one shredder run in it with the argument vector, the path shown, no shredding
// through links, and the attributes given back to what stays. Callers need not know the
// window's design: it is declared in filetools/ShredderForm.h.
#pragma once

#include "filetools/Shredder.h"
#include "toolkit/Forms.h"

#include <string>

class TForm2;
class TXPMenu;

// Who opens the window. How it behaves is the caller's: whether it stays above every
// other window, whether its close command stops the run as Cancel does, and whether
// Cancel may stop it at all; its title and the word above the path.
enum class ShredderCaller {
    ShredderPage,          // the shredder page's rows
    FoundFiles,            // the found-files window's shred
    FreeSpaceWipe,         // the wipe page: the drive's free space
    CleanCenterFolder,     // the clean center's secure pass over a folder
    CleanCenterRecycleBin, // the clean center's secure pass over the recycle bin
    SpaceManager,          // the space manager's secure wipe of folders
};

// One opening of the window.
struct ShredderWindowSetup {
    ShredderCaller caller = ShredderCaller::ShredderPage;
    std::string caption;        // the title; empty: the caller's
    int entries = -1;           // the files and folders the runs take, on the lower bar; -1: not counted, no bar
};

// The shredder window, open while this lives, with the wait cursor, behaving as its
// caller's rules say. Close, or else this going, closes the window, which tells the user
// what could not be done; a window already freed with its owner is left alone.
class ShredderWindow {
public:
    // look gives the window the program's look; nullptr leaves the system's.
    ShredderWindow(TComponent* owner, TXPMenu* look, const ShredderWindowSetup& setup = {});
    ~ShredderWindow();
    ShredderWindow(const ShredderWindow&) = delete;
    ShredderWindow& operator=(const ShredderWindow&) = delete;

    void Close();
    // The user cancelled, by Cancel or by the close command.
    bool Cancelled() const;
    TForm2& operator*() const { return *window_; }
    TForm2* operator->() const { return window_; }

private:
    HourGlass busy_;
    TForm2* window_;
};

struct ShredderJob {
    std::string path;        // a file or a folder; for a free-space wipe the drive root
    std::string passes;      // the pass count, as text
    bool freeSpace = false;  // wipe the free space of path's drive
};

struct ShredderRun {
    enum class Start { Ran, Missing, Link };
    Start start = Start::Ran;
    ShredderResult result;   // what the engine did, when it ran
    bool gone = false;       // the file or folder is gone afterwards
};

// Runs the engine once in the window. A file is shredded, a folder with everything in
// it ("-s"). A path that does not exist is not run (the caller says so in its own
// words); a link or a name that leads to another file is refused before anything is
// touched and listed in the window's report. What stays afterwards gets its attributes
// back.
ShredderRun StartShredderRun(TForm2& window, const ShredderJob& job, ShredderIo& io);
