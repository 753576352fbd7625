// The found-files window's frame: a virtual list over the main form's found-file
// records with sorting by every column, selection with running totals, open, open with,
// properties, view styles, printing and export of the selected files. It lives in the
// host dialog of the scan process; closing that dialog starts the program afresh.
#pragma once

#include "pageparts/WindowTexts.h"
#include "toolkit/Forms.h"
#include "toolkit/ImageList.h"
#include "toolkit/ListView.h"
#include "toolkit/Menus.h"
#include "toolkit/Panel.h"
#include "toolkit/StatusBar.h"
#include "toolkit/ToolBar.h"

#include <memory>
#include <string>
#include <vector>

class FoundFilesHost;
class TRadioButton;
struct FoundFileRecord;

// One selected row as the deletion takes it: name, full path, date and size texts.
struct SelectedFileRecord {
    std::string fileName;
    std::string fullPath;
    std::string dateText;
    std::string sizeText;
};

class TFrame8 : public TFrame {
public:
    explicit TFrame8(TComponent* owner);
    ~TFrame8() override;
    // What the window needs of the program; its maker hands it over before anything else.
    void SetHost(std::unique_ptr<FoundFilesHost> host);
    // Its texts in German and English; the main form's Frame8English puts the English ones
    // in place.
    TWindowTexts Texts;

    // ---- the list
    void ListView1Data(TListView* sender, int index, TListItem& item);
    void ListView1Click(TObject* sender);
    void ListView1ColumnClick(TObject* sender, TListColumn* column);
    void ListView1KeyDown(TObject* sender, WORD& key, TShiftState shift);
    void ListView1KeyUp(TObject* sender, WORD& key, TShiftState shift);
    void ListView1MouseMove(TObject* sender, TShiftState shift, int x, int y);
    // The date column holds a whole date and time of the locale; the last column fills the window.
    void FitColumns();

    // ---- selection
    void Allesmarkieren2Click(TObject* sender);
    void Markierungumdrehen1Click(TObject* sender);

    // ---- sorting: one handler per column, shared by both menus
    void NachName1Click(TObject* sender);
    void NachPfad1Click(TObject* sender);
    void NachGe1Click(TObject* sender);
    void NachDateityp1Click(TObject* sender);
    void NachDatum1Click(TObject* sender);
    void NachAttributen1Click(TObject* sender);
    void ClearHeaderArrows(int keep);
    void SetHeaderArrow(int column, int direction);

    // ---- view styles and grid lines
    void GroeSymbole1Click(TObject* sender);
    void KleineSymbole1Click(TObject* sender);
    void Liste1Click(TObject* sender);
    void Details1Click(TObject* sender);
    void Rasterlinien1Click(TObject* sender);

    // ---- the files
    void ffnen1Click(TObject* sender);
    void ffnenmit1Click(TObject* sender);
    void Eigenschaften1Click(TObject* sender);
    void ExportalsHTML1Click(TObject* sender);
    void ToolButton11Click(TObject* sender);

    // ---- the tool bar's drop-down buttons, and closing
    void ToolButton4Click(TObject* sender);
    void ToolButton10Click(TObject* sender);
    void Schlieen3Click(TObject* sender);

    // ---- deleting the selected files: to the recycle bin, for good or securely, each
    // optionally after a zip backup (cleaning/DeleteFoundFiles.cpp)
    void BuildDeleteCommands();
    void MarkierteDateienindenPapierkorblschen1Click(TObject* sender);
    void MarkierteDateienendgltiglschen2Click(TObject* sender);
    void ToolButton13Click(TObject* sender);
    void RadioButton1Click(TObject* sender);
    void RadioButton2Click(TObject* sender);
    void Loeschenvorbereiten();
    void GetFiles(std::vector<SelectedFileRecord>& list);
    // The zip backup before a deletion: false when it was cancelled or saved nothing; else
    // list and rows keep only the files a good archive holds.
    bool MakeZIP(std::vector<SelectedFileRecord>& list, std::vector<int>& rows);
    // Makes every missing level of the path (the backup folder, when the backup claims its
    // project).
    bool MakeDirectory(const std::string& path);
    void Loeschen();
    void DeleteSecure();
    void UnselectAll();
    TToolButton* ToolButton1 = nullptr;  // to the recycle bin
    TToolButton* ToolButton2 = nullptr;  // for good
    TToolButton* ToolButton13 = nullptr; // securely
    TRadioButton* RadioButton1 = nullptr; // no backup
    TRadioButton* RadioButton2 = nullptr; // zip backup first
    TMenuItem* MarkierteDateienindenPapierkorblschen1 = nullptr;
    TMenuItem* MarkierteDateienendgltiglschen2 = nullptr;
    TMenuItem* LschenundSpeicherplatzfreigeben1 = nullptr;
    TPopupMenu* PopupMenu33 = nullptr; // the three deletes and close
    TMenuItem* MarkierteDateienindenPapierkorbverschieben1 = nullptr;
    TMenuItem* MarkierteDateienendgltiglschen1 = nullptr;
    TMenuItem* LschenundSpeicherplatzfreigeben2 = nullptr;
    TMenuItem* Schlieen2 = nullptr;
    std::vector<int> SelectedRowIndexes;
    std::vector<SelectedFileRecord> SelectedFileList;
    int DeleteToRecycle = 1;
    int DeleteSecurely = 0;
    // Each kind of delete is confirmed on its own, once per window.
    unsigned char RecycleConfirmed = 0;
    unsigned char DeleteConfirmed = 0;
    unsigned char ShredConfirmed = 0;
    // Set while a delete runs; its loops pump messages, and neither a second delete nor
    // closing the window may pull the selected-file list from under it.
    bool Deleting = false;

    // Sets the list's row count and shows the totals of all records.
    void FillListView1();
    // Shows the count and size of the selected rows.
    void ShowSelectionTotals();
    // Hands the list the shell's small and large system icons.
    void ShareSystemImages();

    // The tool bar and its buttons with their pictures and hints (cleaning/FoundFilesToolBar.cpp).
    void BuildToolBar();
    TPanel* Panel1 = nullptr;
    TToolBar* ToolBar1 = nullptr;
    TImageList* ToolImages = nullptr;
    TToolButton* ToolButton11 = nullptr; // print
    TToolButton* ToolButton6 = nullptr;  // properties
    TToolButton* ToolButton4 = nullptr;  // drop-down: PopupMenu34
    TToolButton* ToolButton10 = nullptr; // drop-down: PopupMenu32
    TListView* ListView1 = nullptr;
    TStatusBar* StatusBar1 = nullptr;
    TImageList* SmallIcons = nullptr;
    TImageList* LargeIcons = nullptr;

    // The list's menu.
    TPopupMenu* PopupMenu31 = nullptr;
    TMenuItem* ffnen1 = nullptr;
    TMenuItem* ffnenmit1 = nullptr;
    TMenuItem* Eigenschaften1 = nullptr;
    TMenuItem* Allesmarkieren1 = nullptr;
    TMenuItem* Markierungumdrehen1 = nullptr;
    TMenuItem* Symboleanordnen2 = nullptr;
    TMenuItem* NachName2 = nullptr;
    TMenuItem* NachPfad2 = nullptr;
    TMenuItem* NachGre1 = nullptr;
    TMenuItem* NachDateityp2 = nullptr;
    TMenuItem* NachDatum1 = nullptr;
    TMenuItem* NachAttributen1 = nullptr;
    TMenuItem* Ansicht2 = nullptr;
    TMenuItem* GroeSymbole1 = nullptr;
    TMenuItem* KleineSymbole1 = nullptr;
    TMenuItem* Liste1 = nullptr;
    TMenuItem* Details1 = nullptr;
    TMenuItem* ExportalsHTML1 = nullptr;
    TMenuItem* Rasterlinien2 = nullptr;
    // The view styles' drop-down.
    TPopupMenu* PopupMenu32 = nullptr;
    TMenuItem* GroeSymbole2 = nullptr;
    TMenuItem* KleineSymbole2 = nullptr;
    TMenuItem* Liste2 = nullptr;
    TMenuItem* Details2 = nullptr;
    // The arrange drop-down.
    TPopupMenu* PopupMenu34 = nullptr;
    TMenuItem* Symboleanordnen1 = nullptr;
    TMenuItem* NachName1 = nullptr;
    TMenuItem* NachPfad1 = nullptr;
    TMenuItem* NachGe1 = nullptr;
    TMenuItem* NachDateityp1 = nullptr;
    TMenuItem* Rasterlinien1 = nullptr;
    TMenuItem* Allesmarkieren2 = nullptr;
    TMenuItem* Markierungumdrehen2 = nullptr;
    TMenuItem* MarkierteDateienalsHTMLexportieren1 = nullptr;

    // The column last clicked; the column and direction flag (see found_files::SortsAscending)
    // of the present order.
    int LastSortColumn = 0;
    int SortColumn = 0;
    int SortDirection = 0;
    // Set while a bulk selection or export runs: rows are then shown without the shell's
    // icon and type look-up, and clicks do not recount.
    unsigned char Frame8Busy = 0;
    double SizeSumMB = 0;
    // The printer's resolution during a print.
    int PixelsPerCmX = 0;
    int PixelsPerCmY = 0;

private:
    std::unique_ptr<FoundFilesHost> host_;
    // The backup before a deletion and the deletion of what it saved (Loeschenvorbereiten).
    void DeleteSelected();
    // Sorts the records by the column with the present direction flag; the selected
    // files stay selected in their new rows.
    void SortBy(int column);
    void CheckSortEntry(int column);
    void SetViewStyle(TViewStyle style, TMenuItem* first, TMenuItem* second);
    void ShowTotals(size_t count, unsigned long long bytes);
    std::vector<int> SelectedRows() const;
    // The record of the first selected row, or nullptr.
    FoundFileRecord* FirstSelected() const;
    // Prints on printer (nullptr: reports that nothing could be printed).
    void PrintRecords(HDC printer, const std::vector<const FoundFileRecord*>& records);
    void ReportPrintFailure();
};

// The frame of the open found-files window.
extern TFrame8* Frame8;
