#include "shell/Frameoptionen.h"

#include "toolkit/Place.h"

#include <utility>

TFrame4* Frame4 = nullptr;

namespace {

TTabSheet* Page(TComponent* owner, TPageControl* pages, const char* name)
{
    auto* page = new TTabSheet(owner);
    page->Name = name;
    page->SetPageControl(pages);
    return page;
}

TListView* CheckList(TComponent* owner, TWinControl* parent, const char* name, int left, int top,
                     int width, int height, int columnWidth)
{
    auto* list = Place<TListView>(owner, parent, name, left, top, width, height);
    list->SetViewStyle(vsReport);
    list->SetCheckboxes(true);
    list->Columns()->Add()->SetWidth(columnWidth);
    return list;
}

} // namespace

// Made each time the dialog opens. Each text stands here in both languages; the German one
// shows at once and the main form's OptionenEnglish puts the English ones in place in
// English mode. A language picked on the view page counts from the next start.
TFrame4::TFrame4(TComponent* owner, OptionsActions actions) : TFrame(owner), actions_(std::move(actions))
{
    Name = "Frame4";
    SetBounds(0, 0, 405, 412);

    PageControl1 = Place<TPageControl>(this, this, "PageControl1", 4, 4, 397, 366);
    BuildSearchPage();
    BuildTaskPage();
    BuildCompressionPage();
    BuildEditorPage();
    BuildStartupPage();
    PageControl1->SetActivePage(TabSheet1);

    Button1 = Place<TButton>(this, this, "Button1", 238, 378, 78, 25);
    Button1->SetCaption("OK");
    Button1->SetDefault(true);
    Button1->OnClick = Bind(this, &TFrame4::Button1Click);
    Button2 = Place<TButton>(this, this, "Button2", 322, 378, 78, 25);
    Texts.Caption(Button2, "Abbrechen", "Cancel");
    Button2->SetCancel(true);
    Button2->OnClick = Bind(this, &TFrame4::Button2Click);
}

TFrame4::~TFrame4()
{
    if (Frame4 == this)
        Frame4 = nullptr;
}

void TFrame4::BuildSearchPage()
{
    TabSheet1 = Page(this, PageControl1, "TabSheet1");
    Texts.Caption(TabSheet1, "Suchoptionen", "Search Options");
    Label9 = PlaceLabel(this, TabSheet1, "Label9", 10, 10, 370, 70, llWordWrap | llTransparent);
    Texts.Caption(Label9, "Tidewrack kann die gelöschten Dateien sichern und dabei komprimieren. "
                          "Wählen Sie den Ordner für die Sicherungen.  HINWEIS: Sicherungen sind nur "
                          "unter der Option - Dateien nach der Suche auflisten - möglich.",
                          "Tidewrack can make Backups of the deleted files and can compress them. "
                          "Choose the folder for the backups.  HINT: Backups can only be created under "
                          "options - List files after scan-.");
    Edit1 = Place<TEdit>(this, TabSheet1, "Edit1", 10, 84, 330, 21);
    Button7 = Place<TButton>(this, TabSheet1, "Button7", 346, 83, 30, 23);
    Button7->SetCaption("...");
    Button7->OnClick = Bind(this, &TFrame4::Button7Click);

    CheckBox1 = Place<TCheckBox>(this, TabSheet1, "CheckBox1", 10, 124, 370, 17);
    Texts.Caption(CheckBox1, "Versteckte und Systemdateien mit durchsuchen",
                             "Include hidden and system files when scanning");
    CheckBox2 = Place<TCheckBox>(this, TabSheet1, "CheckBox2", 10, 148, 370, 17);
    Texts.Caption(CheckBox2, "Papierkorb nicht durchsuchen", "Do not scan Recycle Bin");
    CheckBox2->SetChecked(true);

    Label6 = PlaceLabel(this, TabSheet1, "Label6", 10, 190, 370, 34, llWordWrap | llTransparent);
    Texts.Caption(Label6, "Wählen Sie, wie oft eine Datei beim sicheren Löschen überschrieben wird",
                          "Select how many overwrite operations will be performed for Secure file "
                          "deletion");
    Label7 = PlaceLabel(this, TabSheet1, "Label7", 10, 234, 90, 16, llWordWrap | llTransparent);
    Texts.Caption(Label7, "Durchgänge ", "Passes ");
    CSpinEdit2 = Place<TCSpinEdit>(this, TabSheet1, "CSpinEdit2", 104, 230, 70, 21);
    CSpinEdit2->SetMinValue(1);
    CSpinEdit2->SetMaxValue(500);
    CSpinEdit2->SetValue(3);
}

void TFrame4::BuildTaskPage()
{
    TabSheet2 = Page(this, PageControl1, "TabSheet2");
    Texts.Caption(TabSheet2, "Zeitplan", "Scheduled Task");
    Label4 = PlaceLabel(this, TabSheet2, "Label4", 8, 6, 374, 44, llWordWrap | llTransparent);
    Texts.Caption(Label4, "Tidewrack kann die unten gewählten Festplatten automatisch säubern. "
                          "Wählen Sie, wann das geschehen soll.",
                          "Tidewrack can perform an automatic cleaning of the fixed hard drive(s) that "
                          "have been selected below. Select from the options when you would like to "
                          "perform this action.");

    // The task's choices left, their pickers right; below them the drives to clean over
    // the whole width, and the action afterwards in one row under the list, so that the
    // longer English captions fit as well as the German ones.
    GroupBox1 = Place<TGroupBox>(this, TabSheet2, "GroupBox1", 8, 50, 374, 90);
    Texts.Caption(GroupBox1, "Aufgabe", "");
    RadioButton8 = Place<TRadioButton>(this, GroupBox1, "RadioButton8", 10, 18, 170, 17);
    Texts.Caption(RadioButton8, "keine Aktion", "no action");
    RadioButton8->SetChecked(true);
    RadioButton8->OnClick = Bind(this, &TFrame4::RadioButton8Click);
    RadioButton6 = Place<TRadioButton>(this, GroupBox1, "RadioButton6", 10, 41, 170, 17);
    Texts.Caption(RadioButton6, "täglich zu dieser Uhrzeit", "scan for a given time");
    RadioButton6->OnClick = Bind(this, &TFrame4::RadioButton6Click);
    RadioButton7 = Place<TRadioButton>(this, GroupBox1, "RadioButton7", 10, 64, 170, 17);
    Texts.Caption(RadioButton7, "einmal zu diesem Datum", "scan for a given date");
    DateTimePicker1 = Place<TDateTimePicker>(this, GroupBox1, "DateTimePicker1", 184, 38, 88, 21);
    DateTimePicker1->SetKind(dtkTime);
    DateTimePicker2 = Place<TDateTimePicker>(this, GroupBox1, "DateTimePicker2", 184, 62, 92, 21);
    DateTimePicker2->SetKind(dtkDate);
    DateTimePicker3 = Place<TDateTimePicker>(this, GroupBox1, "DateTimePicker3", 280, 62, 88, 21);
    DateTimePicker3->SetKind(dtkTime);

    Label5 = PlaceLabel(this, TabSheet2, "Label5", 8, 148, 374, 16, llWordWrap | llTransparent);
    Texts.Caption(Label5, "Wählen Sie die zu säubernden Laufwerke", "Choose the drive(s) to clean");
    ListView3 = CheckList(this, TabSheet2, "ListView3", 8, 166, 374, 108, 260);

    GroupBox2 = Place<TGroupBox>(this, TabSheet2, "GroupBox2", 8, 280, 374, 48);
    Texts.Caption(GroupBox2, "Danach", "After cleaning, Tidewrack will");
    RadioButton11 = Place<TRadioButton>(this, GroupBox2, "RadioButton11", 10, 20, 106, 17);
    Texts.Caption(RadioButton11, "keine Aktion", "no action");
    RadioButton11->SetChecked(true);
    RadioButton9 = Place<TRadioButton>(this, GroupBox2, "RadioButton9", 120, 20, 130, 17);
    Texts.Caption(RadioButton9, "herunterfahren", "shutdown the system");
    RadioButton10 = Place<TRadioButton>(this, GroupBox2, "RadioButton10", 254, 20, 114, 17);
    Texts.Caption(RadioButton10, "neu starten", "reboot the system");
}

void TFrame4::BuildCompressionPage()
{
    TabSheet3 = Page(this, PageControl1, "TabSheet3");
    Texts.Caption(TabSheet3, "Kompression", "Compression");
    Label2 = PlaceLabel(this, TabSheet3, "Label2", 10, 14, 260, 16, llWordWrap | llTransparent);
    Texts.Caption(Label2, "Kompressionsrate 1-9 (9 am besten)", "Compression Rate 1-9 (9 best)");
    CSpinEdit1 = Place<TCSpinEdit>(this, TabSheet3, "CSpinEdit1", 10, 36, 60, 21);
    CSpinEdit1->SetMinValue(1);
    CSpinEdit1->SetMaxValue(9);
    CSpinEdit1->SetValue(1);
}

void TFrame4::BuildEditorPage()
{
    TabSheet4 = Page(this, PageControl1, "TabSheet4");
    Texts.Caption(TabSheet4, "Ansicht", "View");
    CheckBox3 = Place<TCheckBox>(this, TabSheet4, "CheckBox3", 10, 14, 360, 17);
    Texts.Caption(CheckBox3, "Ganze Zeile in Listen markieren", "Row Select in ListView");

    GroupBox3 = Place<TGroupBox>(this, TabSheet4, "GroupBox3", 10, 46, 360, 110);
    GroupBox3->SetCaption("Sprache / Language");
    RadioButton1 = Place<TRadioButton>(this, GroupBox3, "RadioButton1", 12, 22, 150, 17);
    RadioButton1->SetCaption("Deutsch");
    RadioButton2 = Place<TRadioButton>(this, GroupBox3, "RadioButton2", 12, 46, 150, 17);
    RadioButton2->SetCaption("English");
    RadioButton2->SetChecked(true);
    Label8 = PlaceLabel(this, GroupBox3, "Label8", 12, 72, 336, 32, llWordWrap | llTransparent);
    Texts.Caption(Label8, "Änderungen werden nach einem Neustart des Programms wirksam.",
                          "Changes take effect after restart of the program.");
}

void TFrame4::BuildStartupPage()
{
    TabSheet5 = Page(this, PageControl1, "TabSheet5");
    Texts.Caption(TabSheet5, "Programmstart", "Startup");
    Label3 = PlaceLabel(this, TabSheet5, "Label3", 10, 10, 360, 16, llWordWrap | llTransparent);
    Texts.Caption(Label3, "Beim Start von Tidewrack ", "On Tidewrack Startup ");
    ListView1 = CheckList(this, TabSheet5, "ListView1", 10, 32, 366, 200, 340);
}

void TFrame4::CloseDialog()
{
    if (TForm* dialog = GetParentForm(this))
        dialog->Close();
}

void TFrame4::Button1Click(TObject*)
{
    actions_.store();
    CloseDialog();
}

void TFrame4::Button2Click(TObject*) { CloseDialog(); }

// A cancelled selection leaves the folder as it was, so that OK does not store an
// empty backup folder by accident.
void TFrame4::Button7Click(TObject*)
{
    std::string folder = Edit1->Text();
    actions_.browseFolder(folder);
    Edit1->SetText(folder);
}

// The after-task choice means nothing without a task. Choosing the once-only task
// leaves the choice as it is.
void TFrame4::RadioButton8Click(TObject*)
{
    GroupBox2->SetEnabled(false);
    RadioButton11->SetEnabled(false);
    RadioButton9->SetEnabled(false);
    RadioButton10->SetEnabled(false);
}

void TFrame4::RadioButton6Click(TObject*)
{
    GroupBox2->SetEnabled(true);
    RadioButton11->SetEnabled(true);
    RadioButton9->SetEnabled(true);
    RadioButton10->SetEnabled(true);
}
