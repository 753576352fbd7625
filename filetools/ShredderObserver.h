// What the shredder engine tells the window it runs in (the progress window with its
// labels, memo, two progress bars and Cancel), and how it hears of a cancel. The engine
// only calls this interface; the window implements it.
#pragma once

#include <cstdint>
#include <string>

// The status line under the path: which step the engine is in.
struct ShredderStatus {
    enum Kind { DeletingFile, ScramblingName, Pass };
    Kind kind = DeletingFile;
    std::string path;       // DeletingFile: the file
    unsigned pass = 0;      // Pass: 1..passes
    unsigned passes = 0;
};

// The status line's text in the language the user chose.
std::string DescribeShredderStatus(const ShredderStatus& status, bool german);

class ShredderObserver {
public:
    virtual ~ShredderObserver() = default;

    // The window's cancel flag. Once set it stays set, and every loop of the engine
    // returns at its next check.
    virtual bool Cancelled() const = 0;
    // Handles pending window messages, so the window repaints and Cancel can be clicked.
    virtual void ProcessMessages() = 0;

    // The entry being treated (the window shortens it to its width).
    virtual void ShowPath(const std::string& path) { (void)path; }
    virtual void ShowStatus(const ShredderStatus& status) { (void)status; }
    // A notice for the caption line: the rename-back error and the file-table spinner.
    virtual void ShowNotice(const std::string& text) { (void)text; }
    // A folder entry is about to be treated (the window counts them on its second bar).
    virtual void EntryStarted() {}
    // Bytes of the current file overwritten so far with the pattern being written.
    virtual void FileProgress(uint64_t done, uint64_t size) { (void)done; (void)size; }
    // The free-space wipe's share done changed; packedFilesWipe tells whether it wipes
    // to finish off packed files rather than on the user's request.
    virtual void WipeProgress(unsigned percent, bool packedFilesWipe)
    { (void)percent; (void)packedFilesWipe; }
    // The free-space wipe ran to its end; the window closes itself.
    virtual void WipeFinished() {}

    // The engine's console lines. They go to standard output like those of a console
    // tool; no window shows them.
    virtual void Print(const std::string& text);
};
