#include "filetools/ShredderRun.h"

#include "fileengines/FileDeleter.h"
#include "common/Language.h"
#include "common/PathFacts.h"
#include "filetools/ShredderForm.h"
#include "xplook/Xpmenu.h"

namespace {

// The window's behaviour for one caller.
struct ShredderWindowRules {
    bool topmost;               // above every window, put back there for each item
    bool closable;              // the close command cancels as Cancel does; greyed otherwise
    bool cancellable;           // Cancel usable
    bool freeSpaceWipe;         // the wipe's bytes and time left instead of the files' steps
    const char* germanCaption;  // the title; nullptr keeps "Delete files and folders"
    const char* englishCaption;
    const char* germanItemWord; // the word above the path; nullptr keeps "File"
    const char* englishItemWord;
};

// Every caller's window, one row each, in the order of ShredderCaller. A run over files
// the user chose stays above everything, so that the user sees what goes; a long pass
// stays among the program's windows. Where the close command is greyed, Cancel is the
// way to stop, if any.
const ShredderWindowRules kRules[] = {
    // topmost, closable, cancellable, wipe, caption, item word
    {true, true, true, false, nullptr, nullptr, nullptr, nullptr},                            // shredder page
    {true, true, true, false, "Dateien löschen", "Delete files", "Dateiname", "Filename"},    // found files
    {false, false, true, true, nullptr, nullptr, nullptr, nullptr},                           // free-space wipe
    {false, true, false, false, nullptr, nullptr, "Datei", "Datei"},                          // clean center, folder
    {false, false, false, false, nullptr, nullptr, "File", "File"},                           // clean center, recycle bin
    {false, false, true, false, nullptr, nullptr, nullptr, nullptr},                          // space manager
};
static_assert(sizeof kRules / sizeof kRules[0] == static_cast<int>(ShredderCaller::SpaceManager) + 1,
              "one row per caller");

const ShredderWindowRules& RulesFor(ShredderCaller caller) { return kRules[static_cast<int>(caller)]; }

} // namespace

ShredderWindow::ShredderWindow(TComponent* owner, TXPMenu* look, const ShredderWindowSetup& setup)
{
    const ShredderWindowRules& rules = RulesFor(setup.caller);
    Form2 = new TForm2(owner);
    window_ = Form2;
    if (look)
        look->InitComponent(window_);
    window_->Animate1->SetActive(true);
    if (!setup.caption.empty())
        window_->SetCaption(setup.caption);
    else if (rules.englishCaption)
        window_->SetCaption(language::Text(rules.germanCaption, rules.englishCaption));
    if (rules.englishItemWord)
        window_->SetItemWord(language::Text(rules.germanItemWord, rules.englishItemWord));
    window_->Button1->SetEnabled(rules.cancellable);
    if (!rules.closable)
        EnableMenuItem(GetSystemMenu(window_->Handle(), FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    if (rules.freeSpaceWipe) {
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
    window_->StaysOnTop = rules.topmost;
    window_->KeepOnTop();
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
    window.KeepOnTop();
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
