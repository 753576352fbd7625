// The main form's update check: the update page, the check of the server's version file
// against the program's own version, the download of the new program and its start.
#include "shell/Unit1.h"

#include "common/Language.h"
#include "shell/Download.h"
#include "shell/Frameupdate.h"
#include "pageparts/HostDialog.h"
#include "pageparts/PageParts.h"
#include "common/ProductInfo.h"
#include "pageparts/RegistryLayer.h"
#include "shell/UpdateVersion.h"
#include "toolkit/Effects.h"

#include <exception>
#include <fstream>
#include <iterator>
#include <memory>
#include <utility>

namespace {

const UINT errorBox = MB_SYSTEMMODAL | MB_ICONEXCLAMATION | MB_OK;

std::string WholeFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

} // namespace

void TForm1::BuildUpdatePage()
{
    TTabSheet* page = TabSheets[12];
    page_parts::MakePageTitle(this, page, "UpdateTitleLabel");

    auto* version = new TLabel(this);
    version->Name = "UpdateVersionLabel";
    version->SetParent(page);
    version->SetTransparent(true);
    version->SetBounds(16, 44, 450, 16);

    Label47 = page_parts::MakePageLink(this, page, "Label47", 16, 74, 300);
    Label47->OnClick = Bind(this, &TForm1::Label47Click);
    CaptionUpdatePage();
}

void TForm1::CaptionUpdatePage()
{
    if (auto* title = static_cast<TLabel*>(FindComponent("UpdateTitleLabel")))
        title->SetCaption(
            language::Text("Tidewrack kann auf dem Server des Herstellers nach einer neuen Version suchen.",
                           "Tidewrack can look for a new version on the maker's web server."));
    if (auto* version = static_cast<TLabel*>(FindComponent("UpdateVersionLabel")))
        version->SetCaption(
            language::Text("Ihre Version: ", "Your version: ") +
            (ProgramVersion.empty() ? std::string(language::Text("unbekannt", "unknown")) : ProgramVersion));
    Label47->SetCaption(language::Text("Nach neuer Version suchen", "Check for a new version"));
}

void TForm1::Label47Click(TObject*)
{
    // One check or download at a time; a long job of another page finishes first.
    if (InLongJob())
        return;
    try {
        InitCheckNewVersion(this);
    } catch (const std::exception&) {
        // A check that breaks down (out of memory, say) ends quietly; the user may click again.
    }
}

void TForm1::InitCheckNewVersion(TObject*)
{
    std::optional<update::Version> installed = update::ParseVersion(ProgramVersion);
    if (!installed) {
        effects::ShowMessageBox(Handle(),
                                language::Text("Die Version dieses Tidewrack ist unbekannt; sie kann nicht mit der "
                                               "neuesten Version verglichen werden.",
                                               "The version of this Tidewrack is unknown, so it cannot be compared "
                                               "with the newest version."),
                                language::Text("Fehler", "Error"), errorBox);
        return;
    }
    // In the temporary folder: the program folder is often not writable.
    const std::string versionFile = TempDir + product::VersionFileName;
    VersionCheckMode = 1;
    update::DownloadResult fetched;
    {
        HourGlass busy; // the only sign of the fetch: it has no dialog
        fetched = DownloadFile(product::UpdateAddress + product::VersionFileName, versionFile);
    }
    if (fetched.outcome != update::DownloadOutcome::Done) {
        TellDownloadFailure(fetched, versionFile);
        return;
    }
    std::optional<update::Version> newest = update::NewestVersionIn(WholeFile(versionFile));
    DeleteFileA(versionFile.c_str());
    if (!newest) {
        effects::ShowMessageBox(Handle(),
                                language::Text("Die Versionsdatei des Update-Servers nennt keine gültige Version.",
                                               "The update server's version file names no valid version."),
                                language::Text("Fehler", "Error"), errorBox);
        return;
    }
    if (update::CompareVersions(*installed, *newest) >= 0) {
        effects::ShowMessageBox(Handle(),
                                language::Text("Sie haben die neueste Version !\n  ", "You are uptodate !\n  "),
                                language::Text("Hinweis", "Hint"), MB_SYSTEMMODAL | MB_ICONINFORMATION | MB_OK);
        return;
    }
    int answer =
        effects::ShowMessageBox(Handle(),
                                language::Text("Neue Version verfügbar !\n\nJetzt herunterladen ?",
                                               "New Version available !\n\nDownload now ?"),
                                language::Text("Frage", "Question"), MB_SYSTEMMODAL | MB_ICONQUESTION | MB_YESNO);
    if (answer == IDYES)
        ShowUpdateDialog();
}

void TForm1::ShowUpdateDialog()
{
    MakeHostDialog(HostDialog::Update);
    RelaunchOnClose = 0;
    UpdateActions actions;
    actions.fileName = UpdateFileName;
    actions.download = [this] { return DownLoadUpdate(Frame30); };
    actions.cancel = [this] { AbortFlag = 1; };
    actions.install = [this](const std::string& program) { return InstallUpdate(program); };
    actions.holdDialog = [this] { return std::shared_ptr<void>(std::make_shared<HostPanelInUse>(this)); };
    actions.questionOwner = Handle();
    Frame30 = MakeHostFrame<TFrame30>(HostPanel, std::move(actions));
    XPMenu1->InitComponent(Frame30);
    // The download is left only through Cancel, which also stops the transfer.
    EnableMenuItem(GetSystemMenu(Form6->Handle(), FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    ShowHostDialog(HostDialog::Update);
    Frame30->Label7->SetCaption(UpdateFileName);
    std::string desktop = registry_layer::ReadReg(
        *Registry, rootCurrentUser, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
        "Desktop", "s");
    if (desktop.empty())
        desktop = SpecialFolder(CSIDL_DESKTOPDIRECTORY);
    Frame30->Edit1->SetText(desktop + "\\" + UpdateFileName);
    Frame30->PageControl1->SetActivePage(Frame30->TabSheet1);
}

bool TForm1::DownLoadUpdate(TObject*)
{
    VersionCheckMode = 0;
    const std::string target = Frame30 ? Frame30->Edit1->Text() : std::string();
    update::DownloadResult result = DownloadFile(product::UpdateAddress + UpdateFileName, target);
    if (result.outcome == update::DownloadOutcome::Done)
        return true;
    TellDownloadFailure(result, target);
    return false;
}

update::DownloadResult TForm1::DownloadFile(const std::string& url, const std::string& target)
{
    // A cancel left over from an earlier loop must not stop this one before it starts.
    AbortFlag = 0;
    LongJob job(this);
    HostPanelInUse inUse(this);
    return update::DownloadFile(url, target, [this](uint64_t bytes, const std::optional<uint64_t>& total) {
        Application->ProcessMessages();
        if (VersionCheckMode == 0 && Frame30)
            Frame30->ShowProgress(bytes, total, language::German());
        return AbortFlag == 0;
    });
}

void TForm1::TellDownloadFailure(const update::DownloadResult& result, const std::string& target)
{
    using update::DownloadOutcome;
    std::string text;
    switch (result.outcome) {
    case DownloadOutcome::Done:
    case DownloadOutcome::Cancelled:
        return; // the user stopped it and knows
    case DownloadOutcome::NoConnection:
        text = language::Text("Fehler beim Verbinden mit dem Internet !\n  ", "Error connecting with internet !\n  ");
        break;
    case DownloadOutcome::NoAnswer:
        text = language::Text("Der Update-Server antwortet nicht. Bitte versuchen Sie es später noch einmal.",
                              "The update server does not answer. Please try again later.");
        break;
    case DownloadOutcome::HttpError:
        text = language::Text("Der Update-Server meldet den Fehler ", "The update server reports error ") +
               std::to_string(result.httpStatus) + ".";
        break;
    case DownloadOutcome::Incomplete:
        text = language::Text("Die Übertragung ist abgebrochen", "The transfer broke off") + std::string(" (") +
               std::to_string(result.bytes) +
               (result.total ? language::Text(" von ", " of ") + std::to_string(*result.total) : std::string()) +
               language::Text(" Bytes). Es wurde nichts gespeichert.", " bytes). Nothing has been saved.");
        break;
    case DownloadOutcome::TargetFailed:
        text =
            language::Text("Die Datei konnte nicht geschrieben werden:\n", "The file could not be written:\n") + target;
        break;
    }
    effects::ShowMessageBox(Handle(), text, language::Text("Fehler", "Error"), errorBox);
}

bool TForm1::InstallUpdate(const std::string& program)
{
    // The new program may replace this one and reads the settings: they are saved first,
    // as at a normal close, and this process leaves no icon behind in the notification area.
    TCloseAction action = caFree;
    FormClose(this, action);
    if (TrayIconData.cbSize)
        RemoveTrayIcon();
    if (effects::ShellOpen(Handle(), "open", program, "", "", SW_SHOW) <= 32) {
        effects::ShowMessageBox(
            Handle(),
            language::Text("Das Update konnte nicht gestartet werden:\n", "The update could not be started:\n") +
                program,
            language::Text("Fehler", "Error"), errorBox);
        return false;
    }
    effects::EndProcess(1);
    return true;
}
