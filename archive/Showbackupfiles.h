// The backups browser: the entries of one backup archive with their sizes, saving,
// type, time, attributes and former folder; restores them to their places, opens one,
// saves them into a chosen folder, or exports the list. Each window frees itself when
// it closes; closed while one of its commands still runs, it only hides until that ends.
#pragma once

#include "toolkit/Button.h"
#include "toolkit/Forms.h"
#include "toolkit/ImageList.h"
#include "toolkit/ListView.h"
#include "toolkit/Menus.h"
#include "toolkit/Panel.h"
#include "toolkit/StatusBar.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// One row of the browser: the entry as stored, the same name with '\' separators, its
// index in the archive; and the raw values the sort compares.
struct BackupRowRecord {
    std::string storedName;
    std::string backslashedName;
    int index = 0;
    FILETIME lastWrite{};
};

namespace backup {

enum BrowserColumn {
    colName, colPacked, colRatio, colSize, colType, colModified, colAttributes, colPath, browserColumnCount
};

// How two rows compare by one column (negative: first before second), ascending. The
// three number columns compare as numbers, and only when both texts are non-empty.
int CompareBrowserRows(int column, const std::string& firstText, const std::string& secondText,
                       const BackupRowRecord& first, const BackupRowRecord& second);

} // namespace backup

class TForm8;

// What the browser's commands ask of the main form, which opens the browser
// (archive/BackupsPage.cpp): restoring, opening and saving entries, the export, and
// keeping the layout when the browser closes.
struct BackupBrowserCommands {
    std::function<void(TForm8& browser)> restore;
    std::function<void(TForm8& browser)> open;
    // Asks for a folder and saves the selected entries there.
    std::function<void(TForm8& browser, TObject* sender)> saveAs;
    std::function<void(TForm8& browser)> exportSelected;
    std::function<void(TForm8& browser)> keepLayout;
};

class TForm8 : public TForm {
public:
    explicit TForm8(TComponent* owner);
    ~TForm8() override;

    void Restore1Click(TObject* sender);
    void Open1Click(TObject* sender);
    void Entpacken1Click(TObject* sender);
    void Schliessen1Click(TObject* sender);
    void Allesmarkieren1Click(TObject* sender);
    void Markierungumkehren1Click(TObject* sender);
    void ListView1Click(TObject* sender);
    int ListView1Compare(TListItem* first, TListItem* second);
    void ListView1ColumnClick(TObject* sender, TListColumn* column);
    void ListView1KeyDown(TObject* sender, WORD& key, TShiftState shift);
    void MarkierteDateienalsHTMLexportieren1Click(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);

    // A new row of the list for an entry; the window keeps its record.
    BackupRowRecord* AddRecord(std::unique_ptr<BackupRowRecord> record);
    void ClearRecords();
    BackupRowRecord* RecordOf(TListItem* item) const;
    // The rows selected, top to bottom.
    std::vector<TListItem*> SelectedItems() const;

    BackupBrowserCommands Commands; // set by the browser's maker
    std::string ArchivePath; // the archive this window shows
    std::string ProjectName;

    TPanel* Panel1 = nullptr;    // the menu bar: File and Edit
    TButton* Datei1Button = nullptr;
    TButton* Ansicht1Button = nullptr;
    TListView* ListView1 = nullptr;
    TStatusBar* StatusBar1 = nullptr;
    TImageList* SmallIcons = nullptr;

    // "File" and "Edit" menus and the list's menu.
    TPopupMenu* Datei1 = nullptr;
    TMenuItem* ffnen1 = nullptr;
    TMenuItem* Speichernunter1 = nullptr;
    TMenuItem* Schliessen1 = nullptr;
    TPopupMenu* Ansicht1 = nullptr;
    TMenuItem* Allesmarkieren1 = nullptr;
    TMenuItem* Markierungumkehren1 = nullptr;
    TMenuItem* MarkierteDateienalsHTMLexportieren1 = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;
    TMenuItem* Restore1 = nullptr;
    TMenuItem* Open1 = nullptr;
    TMenuItem* Entpacken1 = nullptr;

    int SortColumn = 0;
    int LastSortColumn = 0;
    // Shared by every browser window for the life of the process: 0 ascending.
    static int SortDirection;

private:
    // Held by each command for as long as it runs: the commands process messages and
    // show boxes, and a close meanwhile must not free the window under them.
    class BusyGuard {
    public:
        explicit BusyGuard(TForm8& form) : form_(form) { ++form_.busy_; }
        ~BusyGuard();
        BusyGuard(const BusyGuard&) = delete;
        BusyGuard& operator=(const BusyGuard&) = delete;

    private:
        TForm8& form_;
    };

    void PopupBelow(TButton* button, TPopupMenu* menu);
    std::vector<std::unique_ptr<BackupRowRecord>> records_;
    int busy_ = 0;
    bool closeDeferred_ = false;
};

// The browser opened last.
extern TForm8* Form8;
