#include "filetools/ShredderForm.h"

#include "common/Language.h"
#include "pageparts/MessageText.h"
#include "toolkit/Effects.h"
#include "toolkit/PathText.h"
#include "toolkit/Place.h"

#include <algorithm>
#include <climits>
#include <cstdio>

TForm2* Form2 = nullptr;

namespace {

// Paths a report lists before it only counts the rest.
constexpr size_t kListedPaths = 10;

// "1,234,567" (German: "1.234.567"), the grouping the wipe's byte counts are shown in.
std::string GroupedNumber(double value, bool german)
{
    std::string digits = std::to_string(static_cast<unsigned long long>(value < 0 ? 0 : value));
    std::string grouped;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += german ? '.' : ',';
        grouped += digits[i];
    }
    return grouped;
}

double TickSeconds() { return static_cast<double>(GetTickCount() / 1000); }

TProgressBar* MakeBar(TForm2* form, const char* name, int top)
{
    auto* bar = new TProgressBar(form);
    bar->Name = name;
    bar->SetParent(form);
    bar->SetBounds(16, top, 400, 16);
    return bar;
}

} // namespace

bool FreeBytesOfDrive(ShredderIo& io, const std::string& root, uint64_t& freeBytes)
{
    uint64_t totalFree = 0;
    switch (io.QueryFreeSpaceEx(root, freeBytes, totalFree)) {
    case ShredderIo::FreeSpaceEx::Done: return true;
    case ShredderIo::FreeSpaceEx::Failed: return false;
    case ShredderIo::FreeSpaceEx::Unavailable: break;
    }
    DWORD sectorsPerCluster, bytesPerSector, freeClusters, totalClusters;
    if (!io.QueryFreeSpace(root, sectorsPerCluster, bytesPerSector, freeClusters, totalClusters))
        return false;
    freeBytes = static_cast<uint64_t>(sectorsPerCluster) * bytesPerSector * freeClusters;
    return true;
}

TForm2::TForm2(TComponent* owner) : TForm(owner)
{
    Name = "Form2";
    SetBorderStyle(bsSingle);
    SetBorderIcons(biSystemMenu | biMinimize);
    SetPosition(poScreenCenter);
    SetClientWidth(435);
    SetClientHeight(259);
    SetCaption(language::Text("Dateien und Ordner löschen", "Delete files and folders"));

    // The animation sits on top; everything else is laid out below it.
    Animate1 = new TAnimate(this);
    Animate1->Name = "Animate1";
    Animate1->SetParent(this);
    Animate1->SetBounds(65, 4, 304, 60);
    Animate1->Open(ANIMATION_DELETE_FILES);
    const int below = 72;
    Label1 = PlaceLabel(this, this, "Label1", 16, below + 8, 400, 16);
    SetItemWord(language::Text("Datei", "File"));
    Memo1 = new TMemo(this);
    Memo1->Name = "Memo1";
    Memo1->SetParent(this);
    Memo1->SetWordWrap(false);
    Memo1->SetReadOnly(true);
    Memo1->SetColor(clBtnFace);
    Memo1->SetBounds(16, below + 26, 400, 22);
    Label3 = PlaceLabel(this, this, "Label3", 16, below + 54, 400, 16);
    ProgressBar1 = MakeBar(this, "ProgressBar1", below + 74);
    Label4 = PlaceLabel(this, this, "Label4", 16, below + 94, 400, 16);
    ProgressBar2 = MakeBar(this, "ProgressBar2", below + 114);
    Label8 = PlaceLabel(this, this, "Label8", 16, below + 152, 310, 16);

    Button1 = new TButton(this);
    Button1->Name = "Button1";
    Button1->SetParent(this);
    Button1->SetBounds(336, below + 146, 80, 25);
    Button1->SetCaption(language::Text("Abbrechen", "Cancel"));
    Button1->SetDefault(true);
    Button1->OnClick = Bind(this, &TForm2::Button1Click);

    Timer1 = new TTimer(this);
    Timer1->Name = "Timer1";
    Timer1->SetInterval(1000);
    Timer1->OnTimer = Bind(this, &TForm2::Timer1Timer);

    OnShow = Bind(this, &TForm2::FormShow);
    OnClose = Bind(this, &TForm2::FormClose);
    CancelFlag = 0;
}

TForm2::~TForm2()
{
    BeginDestroy();
    if (Form2 == this)
        Form2 = nullptr;
}

void TForm2::Button1Click(TObject*)
{
    // The engine runs on this thread and returns at its next check, once this handler
    // has returned: waiting here would only freeze the window.
    CancelFlag = 1;
    Application->ProcessMessages();
    closedByUser_ = true;
    Close();
}

bool TForm2::WndProc(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (msg == WM_CLOSE)
        closedByUser_ = true;
    return TForm::WndProc(msg, wParam, lParam, result);
}

// The user's close cancels and hides the window: its creator still holds it, between
// runs as well as during one. The creator's own Close after its runs frees it, after
// telling the user what could not be done.
void TForm2::FormClose(TObject*, TCloseAction& action)
{
    CancelFlag = 1;
    Application->ProcessMessages();
    if (running_ > 0 || closedByUser_) {
        closedByUser_ = false;
        action = caHide;
        return;
    }
    action = caFree;
    if (reported_)
        return;
    reported_ = true;
    std::string report = FailureReport();
    if (!report.empty())
        effects::ShowMessageBox(Handle(), report, "Tidewrack", MB_SYSTEMMODAL | MB_ICONEXCLAMATION | MB_OK);
}

void TForm2::FormShow(TObject*) { StartSeconds = TickSeconds(); }

ShredderResult TForm2::RunShredder(const ShredderArgv& argv, ShredderIo& io)
{
    disk_ = &io;
    ++running_;
    ShredderResult result;
    try {
        result = ::RunShredder(argv, *this, io);
    } catch (...) {
        --running_;
        throw;
    }
    --running_;
    FilesLeft += result.filesLeft;
    FoldersLeft += result.foldersLeft;
    FilesWithOtherNames.insert(FilesWithOtherNames.end(), result.filesWithOtherNames.begin(),
                               result.filesWithOtherNames.end());
    OldClustersLeft.insert(OldClustersLeft.end(), result.oldClustersLeft.begin(),
                           result.oldClustersLeft.end());
    ScrambledLeft.insert(ScrambledLeft.end(), result.scrambledLeft.begin(), result.scrambledLeft.end());
    if (result.refused)
        ++TargetsRefused;
    if (result.wipeRan && !result.wipeCompleted && !result.cancelled)
        ++WipesFailed;
    ShowFailureCount();
    return result;
}

std::string TForm2::FailureReport() const
{
    std::string report;
    if (FilesLeft > 0)
        report += std::to_string(FilesLeft) +
                  (FilesLeft == 1
                       ? language::Text(" Datei konnte nicht sicher gelöscht werden und ist noch vorhanden.\n",
                                        " file could not be shredded and is still there.\n")
                       : language::Text(" Dateien konnten nicht sicher gelöscht werden und sind noch vorhanden.\n",
                                        " files could not be shredded and are still there.\n"));
    if (FoldersLeft > 0)
        report += std::to_string(FoldersLeft) +
                  (FoldersLeft == 1 ? language::Text(" Ordner konnte nicht entfernt werden.\n",
                                                     " folder could not be removed.\n")
                                    : language::Text(" Ordner konnten nicht entfernt werden.\n",
                                                     " folders could not be removed.\n"));
    if (TargetsRefused > 0)
        report += language::Text("Ein ganzes Laufwerk kann nicht geschreddert werden; es wurde nichts gelöscht.\n",
                                 "A whole drive cannot be shredded; nothing was deleted there.\n");
    if (WipesFailed > 0)
        report += language::Text("Der freie Speicher konnte nicht vollständig gelöscht werden.\n",
                                 "The free space could not be wiped completely.\n");
    // Files that are gone from the target but whose data may still be read elsewhere.
    if (!FilesWithOtherNames.empty())
        report += language::Text("Diese Dateien haben weitere Namen; ihre Daten wurden nicht überschrieben, "
                                 "nur der gewählte Name wurde entfernt:\n",
                                 "These files have other names; their data were not overwritten, only the "
                                 "chosen name was removed:\n") +
                  JoinLines(FilesWithOtherNames, kListedPaths);
    if (!OldClustersLeft.empty())
        report += language::Text("Das Laufwerk dieser gepackten Dateien war nicht sicher zu bestimmen; sie wurden "
                                 "über die Datei überschrieben, ihre alten Cluster nicht:\n",
                                 "The volume of these packed files could not be told for sure; they were "
                                 "overwritten through the file, their old clusters were not wiped:\n") +
                  JoinLines(OldClustersLeft, kListedPaths);
    // Counted above, but the user could not find them by their own names.
    if (!ScrambledLeft.empty()) {
        std::vector<std::string> lines;
        for (const ScrambledLeftover& file : ScrambledLeft)
            lines.push_back(file.path + language::Text("  ist jetzt  ", "  is now  ") + file.leftAs);
        report += language::Text("Diese Dateien konnten weder gelöscht noch zurückbenannt werden:\n",
                                 "These files could be neither deleted nor renamed back:\n") +
                  JoinLines(lines, kListedPaths);
    }
    if (!LinksRefused.empty())
        report += language::Text("Diese Namen führen an andere Orte und wurden nicht angetastet:\n",
                                 "These names lead to other places and were left untouched:\n") +
                  JoinLines(LinksRefused, kListedPaths);
    return report;
}

void TForm2::ShowFailureCount()
{
    unsigned left = FilesLeft + FoldersLeft;
    if (left == 0)
        return;
    Label3->SetCaption(
        language::Text("Nicht gelöscht: " + std::to_string(left), "Not deleted: " + std::to_string(left)));
}

void TForm2::ProcessMessages() { Application->ProcessMessages(); }

std::string TForm2::MinimizeName(const std::string& path) { return CompactPathFor(Memo1, path); }

void TForm2::ShowPath(const std::string& path) { Memo1->SetText(MinimizeName(path)); }

void TForm2::SetItemWord(const std::string& word)
{
    itemWord_ = word;
    Label1->SetCaption(word);
}

void TForm2::ShowItem(const std::string& path)
{
    Label1->SetCaption(itemWord_);
    ShowPath(path);
}

void TForm2::KeepOnTop()
{
    if (StaysOnTop)
        SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm2::FollowWipe(const unsigned char& running, const std::string& driveRoot, double freeAtStart)
{
    wipeRunning_ = &running;
    wipeDriveRoot_ = driveRoot;
    wipeFreeAtStart_ = freeAtStart;
}

void TForm2::ShowStatus(const ShredderStatus& status)
{
    Label3->SetCaption(DescribeShredderStatus(status, language::German()));
}

void TForm2::ShowNotice(const std::string& text) { Label1->SetCaption(text); }

void TForm2::EntryStarted()
{
    ProgressBar2->SetPosition(FileCounter);
    ++FileCounter;
}

void TForm2::FileProgress(uint64_t done, uint64_t size)
{
    // The bar counts in ints; a file beyond their range is shown in millionths.
    if (size == 0)
        return;
    if (size - 1 <= static_cast<uint64_t>(INT_MAX)) {
        ProgressBar1->SetMax(static_cast<int>(size - 1));
        ProgressBar1->SetPosition(static_cast<int>(std::min(done, size - 1)));
    } else {
        ProgressBar1->SetMax(1000000);
        ProgressBar1->SetPosition(static_cast<int>(std::min(done, size) * 1000000.0 / size));
    }
}

void TForm2::WipeProgress(unsigned percent, bool packedFilesWipe)
{
    CompressedWipeFlag = packedFilesWipe;
    ProgressBar1->SetMax(100);
    ProgressBar1->SetPosition(static_cast<int>(percent));
}

void TForm2::WipeFinished() { Close(); }

void TForm2::Timer1Timer(TObject*)
{
    const bool german = language::German();
    if (wipeRunning_ && *wipeRunning_) {
        uint64_t freeNow = 0;
        if (FreeBytesOfDrive(*disk_, wipeDriveRoot_, freeNow))
            FreeBytesNow = static_cast<double>(freeNow);
        double done = std::max(0.0, wipeFreeAtStart_ - FreeBytesNow);
        Label4->SetCaption(GroupedNumber(done, german) + " / " + GroupedNumber(wipeFreeAtStart_, german) +
                           language::Text(" Bytes erledigt", " Bytes done"));
        int percent = 0;
        if (wipeFreeAtStart_ > 0) {
            percent = static_cast<int>(std::min(100.0, done * 100 / wipeFreeAtStart_));
            ProgressBar1->SetMax(100);
            ProgressBar1->SetPosition(percent);
        }
        BerechneRestzeit(done);
        std::string share = std::to_string(percent) + " % )";
        Application->Title = language::Text("Tidewrack (", "Tidewrack ( ") + share;
        Memo1->SetText(language::Text("Lösche freien Speicher auf Laufwerk ", "Cleaning free space on drive ") +
                       wipeDriveRoot_ + "  (" + share);
        Label1->SetCaption(language::Text("Freier Speicher", "Free space"));
    } else if (CompressedWipeFlag) {
        Label1->SetCaption(language::Text("Lösche freien Speicher, um komprimierte Dateien sicher zu löschen",
                                          "Cleaning free space to securely delete compressed files"));
    }
    Application->ProcessMessages();
}

void TForm2::BerechneRestzeit(double bytesDone)
{
    LastTickSeconds = TickSeconds();
    double elapsed = LastTickSeconds - StartSeconds;
    if (bytesDone == 0)
        return;
    double minutes = (elapsed * wipeFreeAtStart_ / bytesDone - elapsed) / 60 + 1;
    char text[64];
    std::snprintf(text, sizeof text, "%.0f", minutes);
    Label8->SetCaption(language::Text("Dauer: ", "Duration: ") + GetLengthString(static_cast<long long>(elapsed)) +
                       language::Text(" - Restzeit : ", " - Time remains : ") + text +
                       language::Text(" Minuten", " Minutes"));
}

std::string TForm2::GetLengthString(long long seconds)
{
    if (seconds < 0)
        return std::string();
    long long hours = seconds / 3600;
    int minutes = static_cast<int>(seconds / 60 % 60);
    int secs = static_cast<int>(seconds % 60);
    char text[48];
    if (hours > 24)
        std::snprintf(text, sizeof text, "%03lld:%02d:%02d:%02d", hours / 24, static_cast<int>(hours % 24),
                      minutes, secs);
    else
        std::snprintf(text, sizeof text, "%02lld:%02d:%02d", hours, minutes, secs);
    return text;
}
