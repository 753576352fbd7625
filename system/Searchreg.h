// The registry-scan window: runs the scan at once, lists its findings, and deletes them,
// exports them as a REGEDIT4 file or as a list, or opens the registry editor at one.
// A scan cannot be started again while one runs, and closing the window during a scan
// cancels it and frees the window only after the scan has returned.
#pragma once

#include "system/RegistryScan.h"
#include "toolkit/Forms.h"
#include "toolkit/ListView.h"
#include "toolkit/Menus.h"
#include "toolkit/StatusBar.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TImageList;

// What the window takes from the window that opens it.
struct RegistryScanHost {
    // The pictures of its rows, keys and values among them.
    TImageList* pictures = nullptr;
    // What a scan looks at, taken as each scan starts: the page may change while one runs.
    std::function<regscan::Settings()> settings;
    // Runs a scan as one of the program's long jobs: closing the program waits until it
    // has unwound.
    std::function<void(const std::function<void()>& scan)> runLongJob;
    // Exports the list's selected rows to a file the user chooses, under title.
    std::function<void(TListView& list, const std::string& title)> exportList;
    // The system's generation (the main window's OsLevel): 0 for Windows 95, 98 and ME,
    // whose registry backup tool differs.
    int osLevel = 0;
};

class TForm4 : public TForm {
public:
    // Its captions are in the program's language as it is when the window is made.
    TForm4(TComponent* owner, RegistryScanHost host);
    ~TForm4() override;

    void Suchen1Click(TObject* sender);
    void Abbrechen1Click(TObject* sender);
    void Lschen1Click(TObject* sender);
    void ffnen1Click(TObject* sender);
    void MarkierteEintrgesichern1Click(TObject* sender);
    void Registrierungsichern1Click(TObject* sender);
    void Allesmarkieren1Click(TObject* sender);
    void Markierungumkehren1Click(TObject* sender);
    void MarkierteDateienalsHTMLexportieren1Click(TObject* sender);
    void Gitter1Click(TObject* sender);
    void ganzeZeilemarkieren1Click(TObject* sender);
    void Schliesen1Click(TObject* sender);
    void ListView1KeyDown(TObject* sender, WORD& key, TShiftState shift);
    // Hand cursor over a row, the default elsewhere.
    void ListView1MouseMove(TObject* sender, TShiftState shift, int x, int y);
    void FormClose(TObject* sender, TCloseAction& action);

    // The walk over the checked roots, then (unless cancelled) the targeted checks.
    void InitSuchReg();
    void ScanRegEntries();
    // The window's place, list styles and column widths from "SearchRegSettings", and back.
    void ReadSettings();
    void WriteSettings();
    // The date column holds a whole date and time of the locale, the last column fills
    // the window; the key column widens to the keys found as far as the window allows
    // beside the reasons, which always show whole.
    void FitColumns();
    void FitKeyColumn();

    regscan::Finding* FindingOf(TListItem* item) const;
    bool Scanning() const { return scanning_; }
    int KeysWalked() const { return keysWalked_; }

    unsigned char CancelFlag = 0;

    TMainMenu* MainMenu1 = nullptr;
    TMenuItem* Registrierung1 = nullptr;
    TMenuItem* Suchen1 = nullptr;
    TMenuItem* Abbrechen1 = nullptr;
    TMenuItem* Bearbeiten1 = nullptr;
    TMenuItem* Ansicht1 = nullptr;
    TListView* ListView1 = nullptr;
    TStatusBar* StatusBar1 = nullptr;

    TMenuItem* ffnen1 = nullptr;
    TMenuItem* Lschen1 = nullptr;
    TMenuItem* MarkierteEintrgesichern1 = nullptr;
    TMenuItem* Schliesen1 = nullptr;
    TMenuItem* Allesmarkieren1 = nullptr;
    TMenuItem* Markierungumkehren1 = nullptr;
    TMenuItem* MarkierteDateienalsHTMLexportieren1 = nullptr;
    TMenuItem* Gitter1 = nullptr;
    TMenuItem* ganzeZeilemarkieren1 = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;
    TMenuItem* MarkierteEintrgeausRegistrierungentfernen1 = nullptr;
    TMenuItem* Registrierungdurchsuchen1 = nullptr;
    TMenuItem* Sucheabbrechen1 = nullptr;
    TMenuItem* MenuItem2 = nullptr;
    TMenuItem* Registrierungsichern1 = nullptr;
    TMenuItem* MenuItem4 = nullptr;
    TMenuItem* MenuItem5 = nullptr;
    TMenuItem* MenuItem6 = nullptr;
    TMenuItem* MarkierteDateienalsHTMLexportieren2 = nullptr;

private:
    void AddFinding(const regscan::Finding& finding);
    void SetStatus(const std::string& text);
    void ShowScanning(bool scanning);
    std::vector<TListItem*> SelectedItems() const;

    RegistryScanHost host_;
    std::vector<std::unique_ptr<regscan::Finding>> findings_;
    std::unique_ptr<regscan::Scanner> scanner_;
    bool scanning_ = false;
    bool targeted_ = false;
    bool closeDeferred_ = false;
    int keysWalked_ = 0;
};

// The registry-scan window opened last.
extern TForm4* Form4;
