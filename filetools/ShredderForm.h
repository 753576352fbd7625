// The progress window of every secure delete and every free-space wipe. Each caller
// opens one through ShredderWindow (filetools/ShredderRun.h), runs the engine once per
// item and closes it; the window shows the engine's progress, and when it closes after
// the run it tells the user about every file, folder or wipe the engine could not finish.
#pragma once

#include "filetools/Shredder.h"
#include "filetools/ShredderObserver.h"
#include "res/Animations.h"
#include "toolkit/Animate.h"
#include "toolkit/Button.h"
#include "toolkit/Forms.h"
#include "toolkit/Label.h"
#include "toolkit/Memo.h"
#include "toolkit/ProgressBar.h"
#include "toolkit/Timer.h"

#include <cstdint>
#include <string>
#include <vector>

class TForm2 : public TForm, public ShredderObserver {
public:
    explicit TForm2(TComponent* owner);
    ~TForm2() override;

    void Button1Click(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);
    void FormShow(TObject* sender);
    void Timer1Timer(TObject* sender);
    // Updates the elapsed and remaining time of a wipe from the bytes done so far.
    void BerechneRestzeit(double bytesDone);
    // "hh:mm:ss", or "ddd:hh:mm:ss" beyond 24 hours.
    static std::string GetLengthString(long long seconds);

    // Runs the engine once in this window and keeps count of what it could not do.
    ShredderResult RunShredder(const ShredderArgv& argv, ShredderIo& io = Win32ShredderIo());

    // ---- what the engine tells the window
    bool Cancelled() const override { return CancelFlag != 0; }
    void ProcessMessages() override;
    void ShowPath(const std::string& path) override;
    void ShowStatus(const ShredderStatus& status) override;
    void ShowNotice(const std::string& text) override;
    void EntryStarted() override;
    void FileProgress(uint64_t done, uint64_t size) override;
    void WipeProgress(unsigned percent, bool packedFilesWipe) override;
    void WipeFinished() override;

    // The path shortened with an ellipsis to fit Memo1.
    std::string MinimizeName(const std::string& path);
    // The word above the path, "File" unless the creator names its items otherwise.
    void SetItemWord(const std::string& word);
    // The item a run starts on, under the item word again: an engine notice about the
    // item before may have taken its place.
    void ShowItem(const std::string& path);
    // Puts the window above every other window again when its opener keeps it there:
    // something the user opened meanwhile may have come up above it.
    void KeepOnTop();
    bool StaysOnTop = false;

    // The free-space wipe the timer shows while running is set: the drive ("C:\") and its
    // free bytes when the wipe began. The wipe's caller owns the flag and outlives the window.
    void FollowWipe(const unsigned char& running, const std::string& driveRoot, double freeAtStart);

    TAnimate* Animate1 = nullptr;    // the delete animation, started when it opens
    TLabel* Label1 = nullptr;        // caption word of the item; engine notices
    TMemo* Memo1 = nullptr;          // the current path, or the wipe's state
    TLabel* Label3 = nullptr;        // the engine's step
    TProgressBar* ProgressBar1 = nullptr; // bytes of the current file, or wipe percent
    TLabel* Label4 = nullptr;        // bytes wiped
    TProgressBar* ProgressBar2 = nullptr; // entries started
    TLabel* Label8 = nullptr;        // elapsed and remaining time of a wipe
    TButton* Button1 = nullptr;      // Cancel
    TTimer* Timer1 = nullptr;        // wipe progress, once a second

    unsigned char CancelFlag = 0;
    unsigned char CompressedWipeFlag = 0;
    double LastTickSeconds = 0;
    double StartSeconds = 0;
    double FreeBytesNow = 0;
    int FileCounter = 0;

    // What the runs in this window could not do, for the report when it closes.
    unsigned FilesLeft = 0;
    unsigned FoldersLeft = 0;
    unsigned TargetsRefused = 0;
    unsigned WipesFailed = 0;
    std::vector<std::string> FilesWithOtherNames;  // only the chosen name went
    std::vector<std::string> OldClustersLeft;      // packed files' old clusters stay
    std::vector<std::string> LinksRefused;         // links and names leading elsewhere, untouched
    std::vector<ScrambledLeftover> ScrambledLeft;  // left under a scrambled name
    // The report of those, in the user's language; empty when everything was done.
    std::string FailureReport() const;

protected:
    bool WndProc(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void ShowFailureCount();

    ShredderIo* disk_ = &Win32ShredderIo(); // the disk of the run, for the wipe progress
    std::string itemWord_;
    const unsigned char* wipeRunning_ = nullptr; // no wipe followed
    std::string wipeDriveRoot_;
    double wipeFreeAtStart_ = 0;
    int running_ = 0;                       // RunShredder calls in progress
    bool reported_ = false;
    bool closedByUser_ = false;             // Cancel or the close box, not the caller
};

// The window in use; its creator sets it, the window clears it when it goes.
extern TForm2* Form2;

// The bytes free to the user on the drive of root ("C:\"), through the engine's disk
// access; false when the system cannot tell.
bool FreeBytesOfDrive(ShredderIo& io, const std::string& root, uint64_t& freeBytes);
