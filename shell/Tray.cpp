// The notification-area icon: the program hides there while a scheduled task waits,
// and comes back with a click on the icon or through its menu.
#include "shell/Unit1.h"

NOTIFYICONDATAA TrayIconData;

void TForm1::AddToTaskBar()
{
    Application->ShowMainForm = false;
    Application->Minimize();
    ShowWindow(Application->Handle(), SW_HIDE);
    InTaskBar();
}

void TForm1::InTaskBar()
{
    Application->ShowMainForm = false;
    Hide();
    AddTrayIcon();
}

void TForm1::AddTrayIcon()
{
    TrayIconData = NOTIFYICONDATAA{};
    TrayIconData.cbSize = 88; // the size the oldest shells know
    TrayIconData.hWnd = Handle();
    TrayIconData.uID = 1;
    TrayIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    TrayIconData.uCallbackMessage = WM_USER + 1;
    TrayIconData.hIcon = Application->Icon();
    lstrcpynA(TrayIconData.szTip, "Tidewrack", sizeof TrayIconData.szTip);
    Application->ProcessMessages();
    Shell_NotifyIconA(NIM_ADD, &TrayIconData);
    Application->ProcessMessages();
}

void TForm1::RemoveTrayIcon()
{
    NOTIFYICONDATAA data{};
    data.cbSize = 88;
    data.hWnd = Handle();
    data.uID = 1;
    Shell_NotifyIconA(NIM_DELETE, &data);
    TrayIconData.cbSize = 0;
}

void TForm1::ShowFromTray()
{
    RemoveTrayIcon();
    Application->Minimize();
    Application->ShowMainForm = true;
    Show();
    ShowWindow(Application->Handle(), SW_SHOW);
    Application->Restore();
    Application->BringToFront();
}

void TForm1::TrayIconMessage(LPARAM mouseMessage)
{
    try {
        if (mouseMessage == WM_LBUTTONDOWN) {
            ShowFromTray();
        } else if (mouseMessage == WM_RBUTTONDOWN) {
            POINT at{};
            GetCursorPos(&at);
            SetForegroundWindow(Handle());
            PopupMenu1->Popup(at.x, at.y);
        }
    } catch (...) {
        // A click on the icon must never take the program down.
    }
}

void TForm1::Tidewrackmaximieren1Click(TObject*) { ShowFromTray(); }

// Ends the program as a close of the window does, so that what a close saves (locations,
// scan mode, the duplicate search's options) is saved here too, and a long job under way
// is cancelled and unwinds first.
void TForm1::Beenden1Click(TObject*)
{
    RemoveTrayIcon();
    CloseRequest();
}
