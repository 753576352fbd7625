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

// What a caller's runs show besides the engine's progress.
struct ShredderWindowSetup {
    std::string caption;        // the title; empty keeps "Delete files and folders"
    std::string itemWord;       // the word above the path; empty keeps "File"
    int entries = -1;           // the files and folders the runs take, on the lower bar; -1: not counted, no bar
    bool cancellable = true;    // false greys Cancel where a run must not stop halfway
    bool freeSpaceWipe = false; // the wipe's bytes and time left instead of the files' steps
};

// The shredder window, open while this lives, with the wait cursor. The close box is
// greyed so that Cancel is the one way to stop: a caller whose runs must not stop
// halfway greys Cancel and nothing stops them. The window is not kept above other
// programs: it belongs to the main window, which keeps it above the program's own, and a
// run of hours must not cover the rest of the desktop. Close, or else this going, closes
// the window, which tells the user what could not be done; a window already freed with
// its owner is left alone.
class ShredderWindow {
public:
    // look gives the window the program's look; nullptr leaves the system's.
    ShredderWindow(TComponent* owner, TXPMenu* look, const ShredderWindowSetup& setup = {});
    ~ShredderWindow();
    ShredderWindow(const ShredderWindow&) = delete;
    ShredderWindow& operator=(const ShredderWindow&) = delete;

    void Close();
    // The user cancelled.
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
