#include "filetools/Showdoublefiles.h"

#include "fileengines/FileDeleter.h"
#include "fileengines/FileFacts.h"
#include "common/FindHandle.h"
#include "common/Language.h"
#include "common/PathFacts.h"
#include "filetools/DuplicateFinder.h"
#include "filetools/DuplicateResults.h"
#include "pageparts/DateColumn.h"
#include "pageparts/MessageText.h"
#include "pageparts/ReportList.h"
#include "pageparts/ShellHelpers.h"
#include "toolkit/Effects.h"
#include "toolkit/MenuEntry.h"

#include <shellapi.h>

TForm3* Form3 = nullptr;

namespace {

std::string NameOf(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }
std::string FolderOf(const std::string& path) { return path.substr(0, path.find_last_of('\\') + 1); }

} // namespace

TForm3::TForm3(TComponent* owner, DuplicatesWindowSource source) : TForm(owner), source_(std::move(source))
{
    Name = "Form3";
    SetCaption(language::Text("Doppelte Dateien", "Duplicate files"));
    SetBorderStyle(bsSizeable);
    SetPosition(poScreenCenter);
    SetWidth(733);
    SetHeight(433);
    KeyPreview = false;
    OnClose = Bind(this, &TForm3::FormClose);
    OnResize = Bind(this, &TForm3::FormResize);

    MainMenu1 = new TMainMenu(this);
    MainMenu1->Name = "MainMenu1";
    Datei1 = AddMenuEntry(this, MainMenu1, "Datei1", language::Text("Datei", "File"));
    ffnen1 = AddMenuEntry(this, Datei1, "ffnen1", language::Text("Öffnen", "Open"), Bind(this, &TForm3::ffnen1Click));
    ffnenmit2 = AddMenuEntry(this, Datei1, "ffnenmit2", language::Text("Öffnen mit...", "Open with..."),
                             Bind(this, &TForm3::ffnenmit2Click));
    Lschen1 = AddMenuEntry(this, Datei1, "Lschen1", language::Text("Löschen", "Delete"),
                           [this](TObject*) { Loeschen(); });
    Kopieren1 = AddMenuEntry(this, Datei1, "Kopieren1", language::Text("Kopieren...", "Copy..."),
                             Bind(this, &TForm3::Kopieren1Click));
    Eigenschaften1 = AddMenuEntry(this, Datei1, "Eigenschaften1", language::Text("Eigenschaften", "Properties"),
                                  Bind(this, &TForm3::Eigenschaften1Click));
    Schlieen1 = AddMenuEntry(this, Datei1, "Schlieen1", language::Text("Schließen", "Close"),
                             Bind(this, &TForm3::Schlieen1Click));
    Bearbeiten1 = AddMenuEntry(this, MainMenu1, "Bearbeiten1", language::Text("Bearbeiten", "Edit"));
    Allesmarkieren1 =
        AddMenuEntry(this, Bearbeiten1, "Allesmarkieren1", language::Text("Alles markieren", "Select all"),
                     Bind(this, &TForm3::Allesmarkieren1Click));
    Markierungumkehren1 =
        AddMenuEntry(this, Bearbeiten1, "Markierungumkehren1",
                     language::Text("Markierung umkehren", "Invert selection"),
                     Bind(this, &TForm3::Markierungumkehren1Click));
    ersterEintragderDuplikatemarkieren1 =
        AddMenuEntry(this, Bearbeiten1, "ersterEintragderDuplikatemarkieren1",
                     language::Text("Alle außer dem ersten Eintrag markieren",
                                    "Not select first entry of the duplikates"),
                     Bind(this, &TForm3::ersterEintragderDuplikatemarkieren1Click));
    MarkierteDateienalsHTMLexportieren1 =
        AddMenuEntry(this, Bearbeiten1, "MarkierteDateienalsHTMLexportieren1",
                     language::Text("Markierte Dateien als HTML exportieren", "Export selected files as HTML"),
                     Bind(this, &TForm3::MarkierteDateienalsHTMLexportieren1Click));
    // The English menus name only the Delete and Return keys in English.
    ffnen1->ShortCut = "Strg+O";
    ffnenmit2->ShortCut = "Strg+W";
    Lschen1->ShortCut = language::Text("Entf", "Del");
    Kopieren1->ShortCut = "Strg+C";
    Eigenschaften1->ShortCut = language::Text("Alt+Eingabe", "Alt+Return");
    Schlieen1->ShortCut = "Esc";
    Allesmarkieren1->ShortCut = "Strg+A";
    Markierungumkehren1->ShortCut = "Strg+U";
    ersterEintragderDuplikatemarkieren1->ShortCut = "Strg+N";
    MainMenu1->Rebuild();

    StatusBar1 = report_list::PlaceStatusBar(this, {700, 50});
    ListView1 = report_list::PlaceReportList(this, report_list::rowsOnDemand,
                                             {
                                                 {"Name", "Name", 140, taLeftJustify},
                                                 {"Pfad", "Path", 140, taLeftJustify},
                                                 {"Größe", "Size", 100, taLeftJustify},
                                                 {"Typ", "Type", 100, taLeftJustify},
                                                 {"Datum", "Date", 135, taLeftJustify},
                                                 {"Attribute", "Attributes", 60, taLeftJustify},
                                             });
    FitColumns();
    ListView1->OnData = Bind(this, &TForm3::ListView1Data);
    ListView1->OnDblClick = Bind(this, &TForm3::ffnen1Click);
    ListView1->OnKeyDown = Bind(this, &TForm3::ListView1KeyDown);
    // The keys the menus name work before the list has the focus too.
    OnKeyDown = Bind(this, &TForm3::ListView1KeyDown);
    ListView1->OnMouseMove = Bind(this, &TForm3::ListView1MouseMove);
    SmallIcons = new TImageList(this);
    SmallIcons->SetShareImages(true);
    SmallIcons->SetHandle(source_.shellIcons);
    ListView1->SetSmallImages(SmallIcons);

    PopupMenu1 = new TPopupMenu(this);
    PopupMenu1->Name = "PopupMenu1";
    Loeschen1 = AddMenuEntry(this, PopupMenu1, "Loeschen1", language::Text("Löschen", "Delete"),
                             [this](TObject*) { Loeschen(); });
    Kopieren2 = AddMenuEntry(this, PopupMenu1, "Kopieren2", language::Text("Kopieren...", "Copy..."),
                             Bind(this, &TForm3::Kopieren1Click));
    ffnen2 = AddMenuEntry(this, PopupMenu1, "ffnen2", language::Text("Öffnen", "Open"),
                          Bind(this, &TForm3::ffnen1Click));
    ffnenmit1 = AddMenuEntry(this, PopupMenu1, "ffnenmit1", language::Text("Öffnen mit...", "Open with..."),
                             Bind(this, &TForm3::ffnenmit2Click));
    Eigenschaften2 = AddMenuEntry(this, PopupMenu1, "Eigenschaften2", language::Text("Eigenschaften", "Properties"),
                                  Bind(this, &TForm3::Eigenschaften1Click));
    ExoprtierenalsHTMLDatei1 =
        AddMenuEntry(this, PopupMenu1, "ExoprtierenalsHTMLDatei1",
                     language::Text("Markierte Dateien als HTML exportieren", "Export selected files as HTML"),
                     Bind(this, &TForm3::MarkierteDateienalsHTMLexportieren1Click));
    Loeschen1->ShortCut = language::Text("Entf", "Del");
    Kopieren2->ShortCut = "Strg+C";
    ffnen2->ShortCut = "Strg+O";
    ffnenmit1->ShortCut = "Strg+W";
    ListView1->SetPopupMenu(PopupMenu1);
}

TForm3::~TForm3()
{
    BeginDestroy();
    if (Form3 == this)
        Form3 = nullptr;
}

bool TForm3::AsFound(const std::string& path) const
{
    auto listed = source_.found->find(path);
    return listed != source_.found->end() && duplicates::UnchangedSinceWalk(listed->second);
}

std::vector<std::string> TForm3::Lines() const
{
    std::vector<std::string> lines;
    for (int i = 0; i < source_.lines->Count(); ++i)
        lines.push_back(source_.lines->Strings(i));
    return lines;
}

std::string TForm3::FullPathOf(int row) const
{
    if (row < 0 || row >= source_.lines->Count())
        return std::string();
    return duplicates::PathOfLine(source_.lines->Strings(row));
}

bool TForm3::Shown(int row) const
{
    std::string path = FullPathOf(row);
    return !path.empty() && common::FileExists(path);
}

bool TForm3::Pickable(int row) const { return Shown(row) && !source_.unknownIdentity.count(FullPathOf(row)); }

std::vector<int> TForm3::SelectedRows() const { return ListView1->SelectedIndices(); }

void TForm3::ListView1Data(TListView*, int index, TListItem& item)
{
    if (Busy || !Shown(index))
        return;
    std::string path = FullPathOf(index);
    WIN32_FIND_DATAA found{};
    if (!FindHandle(path, found).Valid())
        return;
    SHFILEINFOA info{};
    SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON | SHGFI_TYPENAME);
    item.SetCaption(NameOf(path));
    item.SetImageIndex(info.iIcon);
    for (const std::string& text : {FolderOf(path), std::to_string(file_engines::SizeOf(found)),
                                    std::string(info.szTypeName), file_engines::DateTextToSecond(found.ftLastWriteTime),
                                    file_engines::AttributeLetters(found.dwFileAttributes)})
        item.SubItems()->Add(text);
}

void TForm3::FillRows()
{
    Busy = 0;
    ListView1->SetItemCount(source_.lines->Count());
    Anzahl();
    ListView1->Invalidate();
}

void TForm3::Anzahl()
{
    FileCount = duplicates::FileCount(Lines());
    StatusBar1->Panels()->Items(0)->SetText(std::to_string(static_cast<long long>(FileCount)) +
                                            language::Text(" Dateien", " Items"));
}

void TForm3::ListView1KeyDown(TObject*, WORD& key, TShiftState shift)
{
    bool control = (shift & ssCtrl) != 0;
    if (control && key == 'A')
        return Allesmarkieren1Click(nullptr);
    if (control && key == 'U')
        return Markierungumkehren1Click(nullptr);
    if (control && key == 'N')
        return ersterEintragderDuplikatemarkieren1Click(nullptr);
    if (key == VK_ESCAPE)
        return Schlieen1Click(nullptr);
    if (ListView1->SelCount() == 0)
        return;
    if (key == VK_DELETE)
        Loeschen();
    else if (control && key == 'O')
        ffnen1Click(nullptr);
    else if (control && key == 'W')
        ffnenmit2Click(nullptr);
    else if (control && key == 'C')
        Kopieren1Click(nullptr);
    else if ((shift & ssAlt) && key == VK_RETURN)
        Eigenschaften1Click(nullptr);
}

void TForm3::ListView1MouseMove(TObject*, TShiftState, int x, int y)
{
    ListView1->SetCursor(ListView1->RowAt(x, y) >= 0 ? crHandPoint : crDefault);
}

void TForm3::FitColumns()
{
    FitDateColumn(*ListView1, 4);
    ListView1->SetLastColumnFills(true);
}

void TForm3::ffnen1Click(TObject*)
{
    int row = ListView1->ItemIndex();
    if (Shown(row))
        effects::ShellOpen(GetForegroundWindow(), "open", FullPathOf(row), "", "", SW_SHOW);
}

void TForm3::ffnenmit2Click(TObject*)
{
    int row = ListView1->ItemIndex();
    if (!Shown(row))
        return;
    // The shell's "open with" dialog takes the rest of the command line as the file name.
    std::string rundll = source_.systemDir.empty() ? "rundll32.exe" : source_.systemDir + "\\rundll32.exe";
    effects::StartProcess("\"" + rundll + "\" shell32.dll,OpenAs_RunDLL " + FullPathOf(row));
}

void TForm3::Eigenschaften1Click(TObject*)
{
    int row = ListView1->ItemIndex();
    if (!Shown(row))
        return;
    source_.showProperties(FullPathOf(row));
}

void TForm3::Allesmarkieren1Click(TObject*)
{
    StatusBar1->Panels()->Items(0)->SetText(
        language::Text("Dateien werden markiert...", "Selecting files. Please wait..."));
    {
        HourGlass busy;
        for (int row = 0; row < source_.lines->Count(); ++row)
            if (Pickable(row))
                ListView1->SetSelected(row, true);
    }
    Anzahl();
}

void TForm3::Markierungumkehren1Click(TObject*)
{
    {
        HourGlass busy;
        for (int row = 0; row < source_.lines->Count(); ++row)
            if (Pickable(row))
                ListView1->SetSelected(row, !ListView1->IsSelected(row));
    }
    Anzahl();
}

void TForm3::ersterEintragderDuplikatemarkieren1Click(TObject*)
{
    StatusBar1->Panels()->Items(0)->SetText(
        language::Text("Dateien werden markiert...", "Selecting files. Please wait..."));
    {
        HourGlass busy;
        for (int row : duplicates::AllButFirstRows(Lines(), [this](int row) { return Shown(row); },
                                                   [this](int row) { return Pickable(row); }))
            ListView1->SetSelected(row, true);
    }
    Anzahl();
}

void TForm3::MarkierteDateienalsHTMLexportieren1Click(TObject* sender)
{
    // The export reads the rows' texts, which the virtual list makes row by row.
    source_.exportAsHtml(sender, ListView1, "Tidewrack -  Listing double files");
}

void TForm3::Schlieen1Click(TObject*) { Close(); }

void TForm3::FormResize(TObject*)
{
    if (!StatusBar1 || StatusBar1->Panels()->Count() < 2)
        return;
    int countWidth = Note.empty() ? Width() - 80 : 120;
    StatusBar1->Panels()->Items(0)->SetWidth(countWidth > 0 ? countWidth : 0);
    StatusBar1->Panels()->Items(1)->SetWidth(Note.empty() ? 50 : (Width() > 120 ? Width() - 120 : 0));
}

void TForm3::SetNote(const std::string& note)
{
    Note = note;
    StatusBar1->Panels()->Items(1)->SetText(note);
    FormResize(nullptr);
}

void TForm3::Loeschen()
{
    duplicates::DeletePlan plan =
        duplicates::PlanDelete(Lines(), SelectedRows(), [this](const std::string& path) { return AsFound(path); });
    if (plan.paths.empty() && plan.stale.empty()) {
        Anzahl();
        return;
    }
    if (!plan.paths.empty() &&
        effects::ShowMessageBox(
            Handle(),
            language::Text("Bitte löschen Sie nur Dateien, die nicht mehr benötigt werden!!!\nHINWEIS:\n"
                           "Tidewrack kann Dateien auf einem Netzlaufwerk nicht in den Papierkorb löschen.\n\n"
                           "Sollen die markierten Dateien wirklich in den Papierkorb gelöscht werden?",
                           "Please take care to ensure that you only delete files\nwhich are no longer necessary!!!\n"
                           "NOTE:\nTidewrack can't delete files to recycle bin on a network drive.\n\n"
                           "Do you really want to remove the selected  files to recyclebin?") +
                (GroupMeaning.empty() ? std::string()
                                      : language::Text("\n\nDie Dateien einer Gruppe sind nicht unbedingt Kopien: ",
                                                       "\n\nThe files of a group are not necessarily copies: ") +
                                            GroupMeaning + "."),
            language::Text("Frage", "Question"), MB_YESNO | MB_ICONQUESTION) != IDYES) {
        Anzahl();
        return;
    }
    // Every copy of a file selected: the file would be gone altogether. That needs its
    // own yes; without it those groups keep all their copies.
    if (!plan.wholeGroups.empty()) {
        std::vector<std::string> firsts;
        for (const auto& group : plan.wholeGroups)
            firsts.push_back(group.front());
        std::string text = language::Text("Von diesen Dateien sind alle Kopien markiert; es bliebe keine übrig:\n\n",
                                          "Every copy of these files is selected; none would be left:\n\n") +
                           JoinLines(firsts, 10) +
                           language::Text("\n\nAuch alle Kopien löschen?", "\n\nDelete every copy of them too?");
        if (effects::ShowMessageBox(Handle(), text, language::Text("Warnung", "Warning"),
                                    MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) != IDYES)
            duplicates::KeepWholeGroups(plan);
    }

    std::vector<std::string> failed;
    {
        HourGlass busy;
        StatusBar1->Panels()->Items(0)->SetText(language::Text("Dateien werden gelöscht...", "Deleting files..."));
        file_engines::ShellFileDeleter deleter(language::German(), GetForegroundWindow());
        for (const std::string& path : plan.paths) {
            StatusBar1->Panels()->Items(0)->SetText(language::Text("Lösche ", "Deleting ") + path);
            Application->ProcessMessages();
            // Checked again at the last moment: the questions may have taken a while.
            if (!AsFound(path)) {
                plan.stale.push_back(path);
                continue;
            }
            file_engines::DeleteOutcome outcome = deleter.Delete(path, file_engines::deleteToRecycleBin);
            if (outcome == file_engines::DeleteOutcome::Failed)
                failed.push_back(path);
        }
        std::vector<std::string> kept = duplicates::PruneDeleted(Lines(), common::FileExists);
        source_.lines->Clear();
        for (const std::string& line : kept)
            source_.lines->Add(line);
        for (int row : SelectedRows())
            ListView1->SetSelected(row, false);
        StatusBar1->Panels()->Items(0)->SetText(language::Text("Bereit...", "Ready..."));
        FillRows();
    }
    if (!plan.stale.empty())
        effects::ShowMessageBox(Handle(),
                                language::Text("Diese Dateien sind seit der Suche verschwunden oder verändert "
                                               "und wurden nicht gelöscht:\n\n",
                                               "These files are gone or have changed since the search "
                                               "and were not deleted:\n\n") +
                                    JoinLines(plan.stale, 10),
                                language::Text("Hinweis", "Note"), MB_OK | MB_ICONINFORMATION);
    if (!failed.empty())
        effects::ShowMessageBox(Handle(),
                                language::Text("Diese Dateien konnten nicht gelöscht werden:\n\n",
                                               "These files could not be deleted:\n\n") +
                                    JoinLines(failed, 10),
                                language::Text("Fehler", "Error"), MB_OK | MB_ICONEXCLAMATION);
}

void TForm3::Kopieren1Click(TObject*)
{
    std::string target;
    ::BrowseDirectory(language::Flag, target);
    if (!target.empty())
        Kopieren(target);
}

bool TForm3::Kopieren(const std::string& target)
{
    CopyTarget = target;
    std::string sources;
    for (int row : SelectedRows())
        if (Shown(row))
            sources += FullPathOf(row) + std::string(1, '\0');
    if (sources.empty())
        return false;
    sources += '\0';
    std::string to = target + std::string(2, '\0');
    SHFILEOPSTRUCTA operation{};
    operation.hwnd = GetForegroundWindow();
    operation.wFunc = FO_COPY;
    operation.pFrom = sources.c_str();
    operation.pTo = to.c_str();
    operation.fFlags = FOF_ALLOWUNDO;
    int result;
    {
        HourGlass busy;
        result = SHFileOperationA(&operation);
    }
    if (result != 0 || operation.fAnyOperationsAborted) {
        effects::ShowMessageBox(Handle(),
                                language::Text("Die Dateien konnten nicht alle kopiert werden nach ",
                                               "Not every file could be copied to ") +
                                    target,
                                language::Text("Fehler", "Error"), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}

// Closing the window ends the search's process; the user comes back to a fresh main window.
void TForm3::FormClose(TObject*, TCloseAction&)
{
    if (source_.closed)
        source_.closed(Handle());
}
