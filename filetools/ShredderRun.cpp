#include "filetools/ShredderRun.h"

#include "fileengines/FileDeleter.h"
#include "common/PathFacts.h"
#include "filetools/ShredderForm.h"
#include "xplook/Xpmenu.h"

ShredderWindow::ShredderWindow(TComponent* owner, TXPMenu* look, const ShredderWindowSetup& setup)
{
    Form2 = new TForm2(owner);
    window_ = Form2;
    if (look)
        look->InitComponent(window_);
    window_->Animate1->SetActive(true);
    if (!setup.caption.empty())
        window_->SetCaption(setup.caption);
    if (!setup.itemWord.empty())
        window_->SetItemWord(setup.itemWord);
    window_->Button1->SetEnabled(setup.cancellable);
    EnableMenuItem(GetSystemMenu(window_->Handle(), FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    if (setup.freeSpaceWipe) {
        window_->Label3->Hide();
        window_->ProgressBar2->Hide();
    } else {
        window_->Label4->Hide();
        window_->Label8->Hide();
        if (setup.entries < 0) {
            window_->ProgressBar2->Hide();
        } else {
            window_->ProgressBar2->SetMin(0);
            window_->ProgressBar2->SetMax(setup.entries);
            window_->ProgressBar2->SetPosition(0);
        }
    }
    window_->Show();
}

ShredderWindow::~ShredderWindow() { Close(); }

void ShredderWindow::Close()
{
    if (window_ && Form2 == window_)
        window_->Close();
    window_ = nullptr;
}

bool ShredderWindow::Cancelled() const { return window_->Cancelled(); }

ShredderRun StartShredderRun(TForm2& window, const ShredderJob& job, ShredderIo& io)
{
    ShredderRun run;
    if (job.freeSpace) {
        run.result = window.RunShredder({"", "-p", job.passes, "-z", job.path}, io);
        return run;
    }
    const DWORD attributes = GetFileAttributesA(job.path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        run.start = ShredderRun::Start::Missing;
        return run;
    }
    // Overwriting through a link would wipe what it leads to, outside the chosen target;
    // some systems even apply the attribute changes of a link to its target.
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) || file_engines::NameLeadsElsewhere(job.path)) {
        window.LinksRefused.push_back(job.path);
        run.start = ShredderRun::Start::Link;
        return run;
    }
    window.ShowItem(job.path);
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        run.result = window.RunShredder({"", "-p", job.passes, "-s", job.path}, io);
    else
        run.result = window.RunShredder({"", "-p", job.passes, job.path}, io);
    window.ProcessMessages();
    run.gone = !common::Exists(job.path);
    if (!run.gone)
        SetFileAttributesA(job.path.c_str(), attributes);
    return run;
}
