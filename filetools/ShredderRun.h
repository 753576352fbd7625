// One shredder run in the shredder window, started the same way by every caller (the
// shredder and wipe pages, the found-files window, the clean center, the space
// manager): the argument vector, the path shown, no shredding through links, and the
// attributes given back to what stays.
#pragma once

#include "filetools/ShredderForm.h"

#include <string>

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

// Runs the engine once in the window, which its caller has made and shown. A file is
// shredded, a folder with everything in it ("-s"). A path that does not exist is not
// run (the caller says so in its own words); a link or a name that leads to another
// file is refused before anything is touched and listed in the window's report. What
// stays afterwards gets its attributes back.
ShredderRun StartShredderRun(TForm2& window, const ShredderJob& job, ShredderIo& io);
