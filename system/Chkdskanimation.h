// The disk-check progress window: checks one drive at a time through the file-system
// utility library, shows its progress and collects the result lines for the summary.
#pragma once

#include "system/ChkdskRun.h"
#include "toolkit/Button.h"
#include "toolkit/Forms.h"
#include "toolkit/Label.h"
#include "toolkit/Memo.h"
#include "toolkit/ProgressBar.h"

#include <functional>
#include <string>
#include <vector>

class TForm13 : public TForm, private chkdsk::Listener {
public:
    // scheduleBootTimeCheck enters the drive being checked for a check at the next start;
    // false when that could not be written.
    TForm13(TComponent* owner, std::function<bool()> scheduleBootTimeCheck);
    ~TForm13() override;

    // Checks the drive named by the arguments (shaped like a console command line: an
    // empty program name, "X:", then switches) with the library at libraryPath.
    // 0, or -1 on any failure, an unknown argument or a check that reported failure.
    int RunChkdsk(const std::vector<std::wstring>& arguments, const std::string& libraryPath);
    void Button1Click(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);
    // The answer to a drive whose volume is in use when errors are to be fixed: the
    // check is offered for the next start.
    void OfferBootTimeCheck();

    TLabel* Label1 = nullptr;   // "Checking Drive X:"
    TLabel* Label2 = nullptr;   // percent
    TLabel* Label3 = nullptr;   // file system
    TLabel* Label4 = nullptr;   // current activity
    TProgressBar* ProgressBar1 = nullptr;
    TMemo* Memo1 = nullptr;     // current file, when verbose
    TMemo* Memo2 = nullptr;     // hidden: the summary lines
    TButton* Button1 = nullptr; // Cancel
    unsigned char CancelFlag = 0;

private:
    void Progress(int percent) override;
    void Line(const std::string& line) override;
    void Done(bool failed) override;
    bool Cancelled() override { return CancelFlag != 0; }

    std::function<bool()> scheduleBootTimeCheck_;
    chkdsk::Switches switches_;
    std::string driveText_;
    bool finalPhase_ = false;
    bool failed_ = false;
};

extern TForm13* Form13;
