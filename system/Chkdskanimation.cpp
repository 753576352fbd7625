#include "system/Chkdskanimation.h"

#include "common/CaseRule.h"
#include "common/FileHandle.h"
#include "common/Language.h"
#include "toolkit/Effects.h"
#include "toolkit/PathText.h"
#include "toolkit/Place.h"

#include <cstdio>

TForm13* Form13 = nullptr;

namespace {

std::string Narrow(const std::wstring& text)
{
    std::string result;
    for (wchar_t c : text)
        result += c < 256 ? static_cast<char>(c) : '?';
    return result;
}

// The system's own text for an error, in a plain box.
void ShowSystemErrorBox(DWORD error)
{
    char* message = nullptr;
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER, nullptr, error, 1024,
                   reinterpret_cast<char*>(&message), 0, nullptr);
    std::string text = message ? message : "Error " + std::to_string(error);
    if (message)
        LocalFree(message);
    effects::ShowMessageBox(nullptr, text, "Tidewrack", MB_OK);
}

void WriteUsage(const std::wstring& program)
{
    std::printf("Usage: %s [drive:] [-F] [-V] [-R] [-C]\n\n", Narrow(program).c_str());
    std::printf("  [drive:]    Specifies the drive to check.\n");
    std::printf("  -F          Fixes errors on the disk.\n");
    std::printf("  -V          Displays the full path of every file on the disk.\n");
    std::printf("  -R          Locates bad sectors and recovers readable information.\n");
    std::printf("  -C          Checks the drive only if it is dirty.\n\n");
}

} // namespace

TForm13::TForm13(TComponent* owner, std::function<bool()> scheduleBootTimeCheck)
    : TForm(owner), scheduleBootTimeCheck_(std::move(scheduleBootTimeCheck))
{
    Name = "Form13";
    SetBorderStyle(bsSingle);
    SetBorderIcons(biSystemMenu | biMinimize);
    SetPosition(poScreenCenter);
    SetClientWidth(420);
    SetClientHeight(220);
    SetCaption(language::Text("Dateien und Ordner werden überprüft", "Verifying files and folders"));

    Label1 = PlaceLabel(this, this, "Label1", 10, 10, 400, 16);
    Label3 = PlaceLabel(this, this, "Label3", 10, 30, 400, 16);
    Label4 = PlaceLabel(this, this, "Label4", 10, 50, 400, 16);
    ProgressBar1 = new TProgressBar(this);
    ProgressBar1->Name = "ProgressBar1";
    ProgressBar1->SetParent(this);
    ProgressBar1->SetBounds(10, 74, 400, 16);
    ProgressBar1->SetMin(0);
    ProgressBar1->SetMax(100);
    Label2 = PlaceLabel(this, this, "Label2", 10, 96, 400, 16);

    Memo1 = new TMemo(this);
    Memo1->Name = "Memo1";
    Memo1->SetParent(this);
    Memo1->SetBounds(10, 120, 400, 22);
    Memo1->SetReadOnly(true);
    Memo1->SetWordWrap(false);
    Memo1->Hide();
    Memo2 = new TMemo(this);
    Memo2->Name = "Memo2";
    Memo2->SetParent(this);
    Memo2->SetWordWrap(false);
    Memo2->Hide();

    Button1 = new TButton(this);
    Button1->Name = "Button1";
    Button1->SetParent(this);
    Button1->SetCaption(language::Text("Abbrechen", "Cancel"));
    Button1->SetBounds(330, 184, 80, 25);
    Button1->SetCancel(true);
    Button1->OnClick = Bind(this, &TForm13::Button1Click);

    OnClose = Bind(this, &TForm13::FormClose);
    Form13 = this;
}

TForm13::~TForm13()
{
    if (Form13 == this)
        Form13 = nullptr;
}

void TForm13::FormClose(TObject*, TCloseAction& action) { action = caFree; }

void TForm13::Button1Click(TObject*)
{
    CancelFlag = 1;
    Memo2->Lines()->Add(language::Text("Vom Benutzer abgebrochen", "Canceled by User"));
    Application->ProcessMessages();
}

int TForm13::RunChkdsk(const std::vector<std::wstring>& arguments, const std::string& libraryPath)
{
    CancelFlag = 0;
    switches_ = chkdsk::Switches();
    driveText_.clear();
    finalPhase_ = false;
    failed_ = false;

    chkdsk::FmifsLibrary library(libraryPath);
    if (!library.HasChkdsk()) {
        std::printf("Could not located FMIFS entry points.\n\n");
        return -1;
    }
    std::wstring drive;
    if (int unknown = chkdsk::ParseChkdskArguments(arguments, switches_, drive)) {
        effects::ShowMessageBox(Handle(), "Unknown argument", "Tidewrack", MB_OK);
        std::printf("Unknown argument: %s\n", Narrow(arguments[unknown]).c_str());
        WriteUsage(arguments.empty() ? std::wstring() : arguments[0]);
        return -1;
    }
    std::wstring root;
    if (!drive.empty()) {
        root = drive.substr(0, 2);
        driveText_ = common::UpperCase(Narrow(root));
        Label1->SetCaption(language::Text("Überprüfe Laufwerk ", "Checking Drive ") + driveText_);
    } else {
        wchar_t folder[2048] = {};
        if (!GetCurrentDirectoryW(2048, folder)) {
            ShowSystemErrorBox(GetLastError());
            return -1;
        }
        root = std::wstring(folder).substr(0, 2);
    }
    root += L"\\";

    wchar_t label[2048] = {}, fileSystem[2048] = {};
    DWORD serial = 0, maxName = 0, flags = 0;
    if (!GetVolumeInformationW(root.c_str(), label, 2048, &serial, &maxName, &flags, fileSystem, 2048)) {
        ShowSystemErrorBox(GetLastError());
        return -1;
    }

    if (switches_.fix) {
        std::wstring volume = L"\\\\.\\" + root.substr(0, 2);
        // Only asked whether the volume can be opened for writing: closed again at once.
        if (!FileHandle(CreateFileW(volume.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr)).Valid()) {
            OfferBootTimeCheck();
            return -1;
        }
    }

    std::printf("The type of file system is %s.\n", Narrow(fileSystem).c_str());
    std::string fileSystemLine = language::Text("Dateisystem: ", "Type of file system is: ") + Narrow(fileSystem);
    Memo2->Lines()->Add(fileSystemLine);
    Label3->SetCaption(fileSystemLine);

    library.Check(root, fileSystem, switches_, *this);
    return failed_ ? -1 : 0;
}

void TForm13::OfferBootTimeCheck()
{
    const std::string question =
        language::Text("Chkdsk kann nicht ausgeführt werden, da das Volume von einem anderen Prozess verwendet wird.\n"
                       "Soll die Überprüfung dieses Volumes beim nächsten Neustart des Systems ausgeführt werden?",
                       "Chkdsk cannot run because the volume is in use by another process.\n"
                       "Would you like to schedule this volume to be checked the next time the system restarts?");
    if (effects::ShowMessageBox(Handle(), question, "Tidewrack", MB_SYSTEMMODAL | MB_ICONQUESTION | MB_YESNO) !=
        IDYES)
        return;
    if (scheduleBootTimeCheck_()) {
        std::printf("Chkdsk cannot run because the volume is in use by another process.\n");
        effects::ShowMessageBox(Handle(),
                                language::Text("Dieses Volume wird beim nächsten Neustart des Systems überprüft",
                                               "This volume will be checked the next time the system restarts"),
                                "Tidewrack", MB_SYSTEMMODAL | MB_ICONINFORMATION | MB_OK);
    } else {
        effects::ShowMessageBox(
            Handle(),
            language::Text("Die Überprüfung beim nächsten Neustart konnte nicht eingetragen werden.",
                           "The check at the next restart could not be scheduled."),
            language::Text("Fehler", "Error"), MB_SYSTEMMODAL | MB_ICONEXCLAMATION | MB_OK);
    }
}

void TForm13::Progress(int percent)
{
    finalPhase_ = percent == 100;
    ProgressBar1->SetPosition(percent);
    char text[64];
    std::snprintf(text, sizeof text, language::Text("%d Prozent abgeschlossen.", "%d percent completed."), percent);
    Label2->SetCaption(text);
    Application->ProcessMessages();
}

void TForm13::Line(const std::string& line)
{
    if (switches_.verbose && line.find('\\') != std::string::npos) {
        Memo1->SetText(CompactPathFor(Memo1, driveText_ + line));
        Application->ProcessMessages();
    }
    if (finalPhase_) {
        if (line.size() > 2)
            Memo2->Lines()->Add(line);
        Label4->SetCaption(line);
    }
}

void TForm13::Done(bool failed)
{
    if (!failed)
        return;
    failed_ = true;
    Memo2->Lines()->Add("");
    Memo2->Lines()->Add(language::Text("Die Überprüfung von Laufwerk ", "The check of drive ") + driveText_ +
                        language::Text(" ist fehlgeschlagen.", " failed."));
}
