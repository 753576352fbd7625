// The main form's message map and its close request. Long jobs (a second start's scan,
// a backup, a wipe) poll AbortFlag; a close that arrives during one cancels it and
// closes only after it has unwound, so nothing it still uses is freed under it.
#include "shell/Unit1.h"

bool TForm1::MessageMap(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (msg) {
    case WM_CLOSE:
        CloseRequest();
        result = 0;
        return true;
    case WM_USER + 1:
        TrayIconMessage(lParam);
        result = 0;
        return true;
    case WM_ENDSESSION:
        // Windows ends without closing this window (in the tray it is never closed): what a
        // close would save is saved now, or the next start finds the settings of before.
        if (wParam)
            SaveSettings();
        result = 0;
        return true;
    default:
        return TForm::MessageMap(msg, wParam, lParam, result);
    }
}

void TForm1::CloseRequest()
{
    AbortFlag = 1;
    Application->ProcessMessages();
    if (InLongJob())
        closePending_ = true;
    else
        Close();
}

TForm1::LongJob::LongJob(TForm1* form) : form_(form) { ++form_->longJobDepth_; }

TForm1::LongJob::~LongJob() { form_->EndLongJob(); }

void TForm1::EndLongJob()
{
    // A job the window's own destruction ends (the space manager's) closes nothing.
    if (--longJobDepth_ == 0 && closePending_ && !Destroying()) {
        closePending_ = false;
        Close();
    }
}
