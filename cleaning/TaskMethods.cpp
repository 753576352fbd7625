// Scheduled scans: the one-second tick that starts the task when it is due, the start of
// the scan process with the task's locations and mode, and -- in that scan process,
// after the scan has ended -- the 60-second countdown to the shutdown or reboot.
#include "shell/Unit1.h"

#include "cleaning/Shutdownwarning.h"
#include "cleaning/TaskSchedule.h"
#include "common/Language.h"
#include "pageparts/HostDialog.h"
#include "common/OptionsKeys.h"
#include "pageparts/RegistryLayer.h"
#include "toolkit/Effects.h"
#include "toolkit/ListView.h"
#include "toolkit/RadioButton.h"

#include <map>

void TForm1::Timer1Timer(TObject*)
{
    // Nothing of the schedule runs inside a scan or another long job: a task that falls
    // due meanwhile waits for its end, however long it takes.
    if (InLongJob()) {
        if (!heldTaskStamp_)
            heldTaskStamp_ = DueTaskStamp();
        return;
    }
    if (ShutdownCountdown > 0) {
        if (ShutdownCountdown < 60)
            ++ShutdownCountdown;
        if (ShutdownCountdown < 60) {
            if (Frame12) {
                Frame12->Label2->SetCaption(task_schedule::CountdownText(ShutdownCountdown, language::German()));
                Frame12->Label3->SetCaption(task_schedule::AnnouncedAction(AfterTaskAction, language::German()));
            }
        } else if (AfterTaskAction == 1) {
            Herunterfahren();
        } else if (AfterTaskAction == 2) {
            Reboot();
        } else {
            ShutdownCountdown = 0;
        }
        return;
    }
    std::optional<std::string> stamp = heldTaskStamp_ ? heldTaskStamp_ : DueTaskStamp();
    heldTaskStamp_.reset();
    // A task held through a long job may have been started meanwhile by another start of
    // the program, which had no job to wait for.
    if (!stamp || TaskStartedAt(*stamp))
        return;
    TaskFired = 1;
    // Stored before the scan starts: the scan process, or a start of the program within
    // the same five seconds, must not start it again.
    WriteReg(rootCurrentUser, options::tasks::Key, options::tasks::LastRun, *stamp, "s");
    RunTaskScan();
}

std::optional<std::string> TForm1::DueTaskStamp()
{
    if (TaskFired || TaskMode == 0 || !HoldsSchedule)
        return std::nullopt;
    const std::optional<SYSTEMTIME> due = task_schedule::DueMoment(TaskMode, TaskTime, TaskDateTime, effects::Now());
    if (!due)
        return std::nullopt;
    return task_schedule::Stamp(*due);
}

bool TForm1::TaskStartedAt(const std::string& stamp)
{
    return ReadReg(rootCurrentUser, options::tasks::Key, options::tasks::LastRun, "s") == stamp;
}

void TForm1::ReadDelOptions()
{
    ScanMode = 0;
    if (auto mode = registry_layer::StoredInteger(
            ReadReg(rootCurrentUser, options::action::Key, options::action::ComboBoxIndex, "s")))
        if (*mode >= 0 && *mode <= 7)
            ScanMode = *mode;
}

void TForm1::RunTaskScan()
{
    // Matched by name: the location list may have changed since the task was saved.
    std::map<std::string, bool> ticked;
    Registry->RootKey = HKEY_CURRENT_USER;
    KeyOpened = Registry->OpenKeyReadOnly(options::scanDirs::Key);
    if (KeyOpened)
        for (const std::string& name : Registry->GetValueNames())
            ticked[name] = Registry->ReadString(name).value_or("") == "1";
    Registry->CloseKey();
    ReadDelOptions();
    ScanModeButtons[ScanMode]->SetChecked(true);
    TListItems* rows = ListView1->Items();
    for (int row = 0; row < rows->Count(); ++row) {
        auto found = ticked.find(rows->Item(row)->Caption());
        rows->Item(row)->SetChecked(found != ticked.end() && found->second);
    }
    // The scan process counts down after its scan; this window is about to close.
    StartScanProcess(AfterTaskAction == 1 ? " /shutdown" : AfterTaskAction == 2 ? " /reboot" : "");
}

void TForm1::ArmShutdownCountdown()
{
    if (AbortFlag || AfterTaskAction <= 0)
        return;
    ShutdownCountdown = 1;
    ShutdownRefused = false;
    // A window of its own, not the host dialog: after a listing scan the found-files
    // window is the host dialog, and it stays.
    if (Frame12)
        delete GetParentForm(Frame12);
    const HostDialogDesign& design = DesignOf(HostDialog::ShutdownWarning);
    auto* warning = new TForm(this);
    warning->Name = "ShutdownWarning";
    warning->SetCaption(language::Text(design.germanCaption, design.englishCaption));
    warning->SetBorderStyle(design.border);
    warning->SetBorderIcons(warning->BorderIcons() & ~design.iconsRemoved);
    warning->SetFormStyle(fsStayOnTop);
    warning->SetPosition(poScreenCenter);
    warning->SetWidth(design.width);
    warning->SetHeight(design.height);
    Frame12 = new TFrame12(warning);
    Frame12->SetParent(warning);
    Frame12->SetAlign(alClient);
    Frame12->OnCancelCountdown = [this] { CancelShutdownCountdown(); };
    Frame12->Label2->SetCaption(task_schedule::CountdownText(ShutdownCountdown, language::German()));
    Frame12->Label3->SetCaption(task_schedule::AnnouncedAction(AfterTaskAction, language::German()));
    // Handed to the look whole: the window counts as treated from here on.
    XPMenu1->InitComponent(warning);
    warning->Show();
}

void TForm1::CancelShutdownCountdown()
{
    TaskFired = 0;
    ShutdownCountdown = 0;
}

namespace {

// Programs that hang are ended; programs that answer may still ask to save their work.
constexpr UINT kShutDownFlags = EWX_SHUTDOWN | EWX_POWEROFF | EWX_FORCEIFHUNG;
constexpr UINT kRebootFlags = EWX_REBOOT | EWX_FORCEIFHUNG;

} // namespace

void TForm1::Herunterfahren()
{
    SaveScreenSettings();
    // Stopped before the request: a refusal is told once, not asked again every second.
    ShutdownCountdown = 0;
    if (!effects::ShutDown(kShutDownFlags) && !ShutdownRefused) {
        ShutdownRefused = true;
        effects::ShowMessageBox(
            Handle(), language::Text("Windows hat das Herunterfahren abgelehnt.", "Windows refused to shut down."),
            language::Text("Fehler", "Error"), MB_OK | MB_ICONEXCLAMATION | MB_SYSTEMMODAL);
    }
}

void TForm1::Reboot()
{
    SaveScreenSettings();
    ShutdownCountdown = 0;
    if (!effects::ShutDown(kRebootFlags) && !ShutdownRefused) {
        ShutdownRefused = true;
        effects::ShowMessageBox(Handle(),
                                language::Text("Windows hat den Neustart abgelehnt.", "Windows refused to restart."),
                                language::Text("Fehler", "Error"), MB_OK | MB_ICONEXCLAMATION | MB_SYSTEMMODAL);
    }
}
