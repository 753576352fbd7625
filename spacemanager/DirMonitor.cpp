#include "spacemanager/DirMonitor.h"

TDirMonitorThread::TDirMonitorThread(HWND window, const std::string& path)
    : window_(window), watchPath_(path)
{
    changeHandle_ = FindFirstChangeNotificationA(
        path.c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME);
    if (changeHandle_ == INVALID_HANDLE_VALUE)
        return;
    stopEvent_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!stopEvent_)
        return;
    running_ = true;
    thread_ = std::thread(&TDirMonitorThread::Execute, this);
}

TDirMonitorThread::~TDirMonitorThread()
{
    if (thread_.joinable()) {
        SetEvent(stopEvent_);
        thread_.join();
    }
    if (stopEvent_)
        CloseHandle(stopEvent_);
    if (changeHandle_ != INVALID_HANDLE_VALUE)
        FindCloseChangeNotification(changeHandle_);
}

void TDirMonitorThread::Execute()
{
    const HANDLE waits[2] = {stopEvent_, changeHandle_};
    for (;;) {
        DWORD signalled = WaitForMultipleObjects(2, waits, FALSE, INFINITE);
        if (signalled != WAIT_OBJECT_0 + 1)
            break; // stopped, or the wait itself failed
        if (!noticePending_.exchange(true)) {
            // Counted before it is posted: whoever takes the notice sees it counted.
            ++posted_;
            if (!PostMessageA(window_, WM_DIRCHANGED, 0, 0)) {
                --posted_;
                noticePending_ = false;
            }
        }
        // A watch that cannot be re-armed would signal for ever: end instead of spinning.
        if (!FindNextChangeNotification(changeHandle_))
            break;
    }
    running_ = false;
}
