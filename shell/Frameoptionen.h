// The options dialog's frame: general search options, the scheduled task, compression,
// list look and language, and the clean-up actions run at every start. The main form
// fills it (TForm1::GetOptions); what its OK and its folder button do comes from whoever
// makes it (OptionsActions).
#pragma once

#include "pageparts/WindowTexts.h"
#include "toolkit/Button.h"
#include "toolkit/CSpinEdit.h"
#include "toolkit/CheckBox.h"
#include "toolkit/DateTimePicker.h"
#include "toolkit/Edit.h"
#include "toolkit/Forms.h"
#include "toolkit/GroupBox.h"
#include "toolkit/Label.h"
#include "toolkit/ListView.h"
#include "toolkit/PageControl.h"
#include "toolkit/RadioButton.h"

#include <functional>
#include <string>

// What the options frame asks of whoever makes it.
struct OptionsActions {
    // OK: takes the frame's settings over and stores them.
    std::function<void()> store;
    // The folder-selection dialog starting at folder; a chosen folder replaces it.
    std::function<void(std::string& folder)> browseFolder;
};

class TFrame4 : public TFrame {
public:
    TFrame4(TComponent* owner, OptionsActions actions);
    ~TFrame4() override;

    void Button1Click(TObject* sender); // OK: store everything, close
    void Button2Click(TObject* sender); // Cancel: close, store nothing
    void Button7Click(TObject* sender); // choose the backup folder
    void RadioButton8Click(TObject* sender);
    void RadioButton6Click(TObject* sender);

    // Its texts in German and English; English() puts the English ones in place.
    TWindowTexts Texts;

    TPageControl* PageControl1 = nullptr;
    TButton* Button1 = nullptr;
    TButton* Button2 = nullptr;

    // "Search Options"
    TTabSheet* TabSheet1 = nullptr;
    TLabel* Label9 = nullptr;       // what the backup folder is for
    TEdit* Edit1 = nullptr;         // backup folder
    TButton* Button7 = nullptr;     // "..."
    TCheckBox* CheckBox1 = nullptr; // include hidden and system files
    TCheckBox* CheckBox2 = nullptr; // do not scan the recycle bin
    TLabel* Label6 = nullptr;       // what the passes are for
    TLabel* Label7 = nullptr;       // "Passes "
    TCSpinEdit* CSpinEdit2 = nullptr; // overwrite passes, 1 to 500

    // scheduled task
    TTabSheet* TabSheet2 = nullptr;
    TLabel* Label4 = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TRadioButton* RadioButton8 = nullptr; // no task
    TRadioButton* RadioButton6 = nullptr; // daily at DateTimePicker1
    TRadioButton* RadioButton7 = nullptr; // once at DateTimePicker2, DateTimePicker3
    TDateTimePicker* DateTimePicker1 = nullptr;
    TDateTimePicker* DateTimePicker2 = nullptr;
    TDateTimePicker* DateTimePicker3 = nullptr;
    TLabel* Label5 = nullptr;
    TListView* ListView3 = nullptr;       // the locations the task scans
    TGroupBox* GroupBox2 = nullptr;       // what follows the task
    TRadioButton* RadioButton11 = nullptr; // nothing
    TRadioButton* RadioButton9 = nullptr;  // shut down
    TRadioButton* RadioButton10 = nullptr; // reboot

    // "Compression"
    TTabSheet* TabSheet3 = nullptr;
    TLabel* Label2 = nullptr;
    TCSpinEdit* CSpinEdit1 = nullptr; // compression rate, 1 to 9

    // lists and language
    TTabSheet* TabSheet4 = nullptr;
    TCheckBox* CheckBox3 = nullptr;   // whole-row selection in lists
    TGroupBox* GroupBox3 = nullptr;   // language
    TRadioButton* RadioButton1 = nullptr; // German
    TRadioButton* RadioButton2 = nullptr; // English
    TLabel* Label8 = nullptr;         // takes effect after a restart

    // start-up
    TTabSheet* TabSheet5 = nullptr;
    TLabel* Label3 = nullptr;
    TListView* ListView1 = nullptr;   // the six clean-up actions at start

private:
    void BuildSearchPage();
    void BuildTaskPage();
    void BuildCompressionPage();
    void BuildEditorPage();
    void BuildStartupPage();
    void CloseDialog();

    OptionsActions actions_;
};

// The options frame while its dialog exists, or nullptr.
extern TFrame4* Frame4;
