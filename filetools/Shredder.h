// The entry of the secure-delete engine for every caller (the shredder and wipe pages,
// the found-files window, the clean center, the space manager): a console-style
// argument vector in, what became of the targets out.
#pragma once

#include "filetools/ShredderArgv.h"
#include "filetools/ShredderIo.h"
#include "filetools/ShredderObserver.h"

#include <string>
#include <vector>

// A file that could be neither deleted nor given its own name back: it stays under the
// scrambled name it was last renamed to, which only the report can tell the user.
struct ScrambledLeftover {
    std::string path;    // its own name
    std::string leftAs;  // the name it has now
};

struct ShredderResult {
    bool usageError = false;   // the vector was not understood; nothing was done
    bool refused = false;      // the target was a whole drive; nothing was done
    bool cancelled = false;    // the user cancelled
    unsigned filesFound = 0;
    unsigned filesShredded = 0;
    unsigned filesLeft = 0;    // files that could not be shredded and are still there
    unsigned foldersLeft = 0;  // folders that should have gone but are still there
    bool wipeRan = false;      // a free-space wipe was started ("-z", or for packed files)
    bool wipeCompleted = false;
    // Files whose data were not overwritten: files with other names (only the chosen
    // name went), and packed files whose old clusters stay on the disk.
    std::vector<std::string> filesWithOtherNames;
    std::vector<std::string> oldClustersLeft;
    // Files left under a scrambled name; they are counted in filesLeft too.
    std::vector<ScrambledLeftover> scrambledLeft;

    // Everything asked for was done.
    bool Succeeded() const
    {
        return !usageError && !refused && !cancelled && filesLeft == 0 && foldersLeft == 0 &&
               filesWithOtherNames.empty() && oldClustersLeft.empty() && (!wipeRan || wipeCompleted);
    }
};

// Runs the engine once with this vector ("-p" N, "-s", "-z", "-q", "-?", the path). The
// observer is the progress window; its cancel flag must be clear. Prints the engine's
// console lines through observer.Print.
ShredderResult RunShredder(const ShredderArgv& argv, ShredderObserver& observer,
                           ShredderIo& io = Win32ShredderIo());
