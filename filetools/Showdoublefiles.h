// The duplicates window: the groups of equal files that a duplicate search found, one
// row per line of the search's result lines (an empty row after each group), with the
// selection helpers, delete to the recycle bin, copy, open, open with, properties and
// export. It lives in the search's own process; closing it starts the program afresh.
#pragma once

#include "filetools/DuplicateCandidate.h"
#include "toolkit/Forms.h"
#include "toolkit/ImageList.h"
#include "toolkit/ListView.h"
#include "toolkit/Menus.h"
#include "toolkit/StatusBar.h"

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

class TForm1;
class TStringList;

// What the window shows and what it leaves to the search that opens it.
struct DuplicatesWindowSource {
    TStringList* lines = nullptr; // one per file, an empty one after each group; a delete rewrites them
    const std::map<std::string, duplicates::Candidate>* found = nullptr; // each listed file as the search saw it
    // Listed files that cannot be told from the others by what they are (no file index):
    // the selection commands leave them as they are.
    std::set<std::string> unknownIdentity;
    std::string systemDir;        // where rundll32 lives; empty: the search path finds it
    HIMAGELIST shellIcons = nullptr; // the shell's small system image list
    std::function<bool(const std::string& path)> showProperties;
    std::function<void(TObject* sender, TListView* list, const std::string& title)> exportAsHtml;
    // The window closes: the search keeps its layout and starts the program afresh.
    std::function<void(HWND window)> closed;
};

// The source of the search the main form ran (filetools/DuplicateSearchMethods.cpp).
DuplicatesWindowSource DuplicatesOfSearch(TForm1& search);

class TForm3 : public TForm {
public:
    TForm3(TComponent* owner, DuplicatesWindowSource source);
    ~TForm3() override;

    void ListView1Data(TListView* sender, int index, TListItem& item);
    void ListView1KeyDown(TObject* sender, WORD& key, TShiftState shift);
    void ListView1MouseMove(TObject* sender, TShiftState shift, int x, int y);
    // The date column holds a whole date and time of the locale; the last column fills the window.
    void FitColumns();
    void ffnen1Click(TObject* sender);
    void ffnenmit2Click(TObject* sender);
    void Eigenschaften1Click(TObject* sender);
    void Kopieren1Click(TObject* sender);
    void Loeschen();
    void Allesmarkieren1Click(TObject* sender);
    void Markierungumkehren1Click(TObject* sender);
    void ersterEintragderDuplikatemarkieren1Click(TObject* sender);
    void MarkierteDateienalsHTMLexportieren1Click(TObject* sender);
    void Schlieen1Click(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);
    void FormResize(TObject* sender);
    // Copies the selected files into target; false (after a box) when the copy failed.
    bool Kopieren(const std::string& target);
    // The file count into the status bar.
    void Anzahl();
    // Sets the rows from the search's result lines.
    void FillRows();
    // What the groups mean and what was left out, in the second status panel, which then
    // takes the room the count does not need.
    void SetNote(const std::string& note);

    TListView* ListView1 = nullptr;
    TStatusBar* StatusBar1 = nullptr;
    TImageList* SmallIcons = nullptr;
    TMainMenu* MainMenu1 = nullptr;
    TMenuItem* Datei1 = nullptr;
    TMenuItem* ffnen1 = nullptr;
    TMenuItem* ffnenmit2 = nullptr;
    TMenuItem* Lschen1 = nullptr;
    TMenuItem* Kopieren1 = nullptr;
    TMenuItem* Eigenschaften1 = nullptr;
    TMenuItem* Schlieen1 = nullptr;
    TMenuItem* Bearbeiten1 = nullptr;
    TMenuItem* Allesmarkieren1 = nullptr;
    TMenuItem* Markierungumkehren1 = nullptr;
    TMenuItem* ersterEintragderDuplikatemarkieren1 = nullptr;
    TMenuItem* MarkierteDateienalsHTMLexportieren1 = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;
    TMenuItem* Loeschen1 = nullptr;
    TMenuItem* Kopieren2 = nullptr;
    TMenuItem* ffnen2 = nullptr;
    TMenuItem* ffnenmit1 = nullptr;
    TMenuItem* Eigenschaften2 = nullptr;
    TMenuItem* ExoprtierenalsHTMLDatei1 = nullptr;

    double FileCount = 0;
    unsigned char Busy = 0;
    std::string CopyTarget;
    std::string Note;
    // What the files of a group share when they need not be copies; empty for copies.
    std::string GroupMeaning;

private:
    // True while the file at path is the one the search listed there: same size, same
    // last-write time.
    bool AsFound(const std::string& path) const;
    std::vector<int> SelectedRows() const;
    std::vector<std::string> Lines() const;
    std::string FullPathOf(int row) const;
    // True when the row's file exists (a file gone meanwhile shows as an empty row).
    bool Shown(int row) const;
    // True when the row's file may be selected by the selection commands: it is shown and
    // known by its index, so that it cannot be another row's file under another name.
    bool Pickable(int row) const;

    DuplicatesWindowSource source_;
};

extern TForm3* Form3;
