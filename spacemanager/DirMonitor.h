// The space manager's folder monitor: a worker thread that watches one folder for files
// and folders being created, deleted or renamed (not its subfolders, not size changes)
// and tells the window by a posted WM_DIRCHANGED. It is the program's only other thread.
//
// The thread touches nothing of the window: it only posts to the window's handle, and
// posts again only after the window has taken the last notice (Acknowledge), so a burst
// of changes costs one re-listing. The object belongs to the window; its destructor
// stops the thread and waits for it, so the thread never outlives the window.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

// WM_APP + 101, both parameters 0.
constexpr UINT WM_DIRCHANGED = WM_APP + 101;

class TDirMonitorThread {
public:
    // Watches path for the window; a path that cannot be watched (a virtual folder)
    // starts no thread at all (Running() is false).
    TDirMonitorThread(HWND window, const std::string& path);
    ~TDirMonitorThread();
    TDirMonitorThread(const TDirMonitorThread&) = delete;
    TDirMonitorThread& operator=(const TDirMonitorThread&) = delete;

    const std::string& WatchPath() const { return watchPath_; }
    // The thread is watching (it ends by itself when the watch cannot be re-armed).
    bool Running() const { return running_; }
    // The window has taken the posted notice; the next change may post again.
    void Acknowledge() { noticePending_ = false; }
    // Notices posted so far.
    unsigned NoticesPosted() const { return posted_; }

private:
    void Execute();

    HWND window_;
    std::string watchPath_;
    HANDLE changeHandle_ = INVALID_HANDLE_VALUE;
    HANDLE stopEvent_ = nullptr;
    std::atomic<bool> running_{false};
    std::atomic<bool> noticePending_{false};
    std::atomic<unsigned> posted_{0};
    std::thread thread_;
};
