// The main form's construction: its design (title bar, sidebar, pages, status bar) and
// the shared objects it holds for the life of the process.
#include "shell/Unit1.h"

#include "fileengines/ScanRecords.h"
#include "common/Language.h"
#include "pageparts/Pictures.h"
#include "shell/UpdateVersion.h"

#include <string>

TForm1* Form1 = nullptr;

namespace {

const TColor sidebarColor = 0xF7EFE6; // a pale blue-grey behind the sidebar groups
const int sidebarWidth = 176;
const int groupWidth = 168;
const int groupHeight = 24;

// German and English titles of the six sidebar groups.
const char* const groupTitles[6][2] = {
    {"Festplatte säubern ", "Clean Hard Drive "},
    {"Ordner säubern", "Clean Folders"},
    {"Reinigungscenter", "Clean Center"},
    {"Laufwerke", "Drive Information"},
    {"Sicherungen", "Backups"},
    {"Optionen", "Options"},
};
const int groupIconIndex[6] = {4, 5, 11, 12, 9, 10};
// The title pictures' names, and their click handlers, by group.
const int groupImageNumber[6] = {1004, 1005, 1006, 1003, 1016, 1017};
void (TForm1::*const groupClick[6])(TObject*) = {
    &TForm1::Image1004Click, &TForm1::Image1005Click, &TForm1::Image1006Click,
    &TForm1::Image1003Click, &TForm1::Image1016Click, &TForm1::Image1017Click,
};

TImage* MakeImage(TComponent* owner, TWinControl* parent, const std::string& name, int left,
                  int top, int width, int height)
{
    auto* image = new TImage(owner);
    image->Name = name;
    image->SetParent(parent);
    image->SetBounds(left, top, width, height);
    return image;
}

} // namespace

TForm1::TForm1(TComponent* owner) : TForm(owner)
{
    Name = "Form1";
    Form1 = this;
    ProgramVersion = update::ModuleVersion(GetModuleHandleA(nullptr)).value_or("");
    BuildDesign();
    XPMenu1 = new TXPMenu(this);
    XPMenu1->SetActive(true);

    DisplaySystemVersion();
    // XP paints its own controls themed: there the look keeps to menus, lists and trees.
    if (IsXpClass == 1) {
        XPMenu1->SetXPContainers(XPBit(xccPanel));
        XPMenu1->SetXPControls(XPBit(xcMainMenu) | XPBit(xcPopupMenu) | XPBit(xcTreeView) | XPBit(xcListView));
    }
    // The design is complete: the look now serves the windows made later too.
    XPMenu1->Loaded();

    SidebarIcon = pictures::SidebarIcon(3);
    DuplicateList = std::make_unique<TStringList>();
    Registry = std::make_unique<TRegistry>();
    CookieKeepList = std::make_unique<TStringList>();

    // The links of the sidebar are made once and refilled per group.
    Panel->Hide();
    for (int i = 0; i < 20; ++i) {
        auto* link = new TLabel(this);
        link->SetParent(Panel);
        link->SetTransparent(true);
        link->Hide();
        link->OnMouseMove = Bind(this, &TForm1::LabelMouseMove);
        link->OnMouseLeave = Bind(this, &TForm1::LabelMouseLeave);
        SidebarLinks[i] = link;
        SidebarIcons[i] = MakeImage(this, Panel, "", 4, 10 + 16 * i, 16, 16);
        SidebarIcons[i]->Hide();
    }

    ::SHGetMalloc(ShellMalloc.Put());
    ScanTotalBytes = 0;
    FoundFiles = std::make_unique<TObjectList<FoundFileRecord>>();
    FileEndingList = std::make_unique<TObjectList<CheckedEntry>>();
    ValueList = std::make_unique<TStringList>();
    ExcludeDirList = std::make_unique<TObjectList<CheckedEntry>>();

    OnCreate = Bind(this, &TForm1::FormCreate);
    OnClose = Bind(this, &TForm1::FormClose);
    OnKeyDown = Bind(this, &TForm1::FormKeyDown);
    OnResize = Bind(this, &TForm1::FormResize);
}

TForm1::~TForm1()
{
    BeginDestroy();
    SpaceManagerOpen.reset();
    if (TrayIconData.cbSize)
        RemoveTrayIcon();
    if (SidebarIcon) DestroyIcon(SidebarIcon);
    if (Form1 == this) Form1 = nullptr;
}

void TForm1::BuildDesign()
{
    SetBorderStyle(bsNone);
    SetPosition(poScreenCenter);
    SetClientWidth(664);
    SetClientHeight(439);
    SetColor(clWhite);
    KeyPreview = false;
    BuildTitleBar();

    StatusBar1 = new TStatusBar(this);
    StatusBar1->Name = "StatusBar1";
    StatusBar1->SetParent(this);
    StatusBar1->SetAlign(alBottom);
    for (int width : {260, 400}) {
        TStatusPanel* panel = StatusBar1->Panels()->Add();
        panel->SetWidth(width);
        panel->SetStyle(psOwnerDraw);
    }
    StatusBar1->OnDrawPanel = Bind(this, &TForm1::StatusBar1DrawPanel);

    BuildSidebar();
    BuildPages();
    BuildCleaningPages();
    BuildDuplicatePage();
    BuildSplitterPage();
    BuildFolderIndexPage();
    BuildShredderPage();
    BuildWipePage();
    BuildBackupsPage();
    BuildRegistryPages();
    BuildSystemPages();
    BuildCookiePage();
    BuildCleanCenterPage();
    BuildSpaceManagerPage();
    BuildUpdatePage();

    PanelTE2 = new TPanel(this);
    PanelTE2->Name = "PanelTE2";
    PanelTE2->SetParent(this);
    PanelTE2->Hide();

    PopupMenu1 = new TPopupMenu(this);
    PopupMenu1->Name = "PopupMenu1";
    Tidewrackmaximieren1 = new TMenuItem(PopupMenu1);
    Tidewrackmaximieren1->OnClick = Bind(this, &TForm1::Tidewrackmaximieren1Click);
    PopupMenu1->Items()->Add(Tidewrackmaximieren1);
    Beenden1 = new TMenuItem(PopupMenu1);
    Beenden1->OnClick = Bind(this, &TForm1::Beenden1Click);
    PopupMenu1->Items()->Add(Beenden1);
    CaptionTrayMenu();
}

// Captioned again once the language is read: the menu is made before that.
void TForm1::CaptionTrayMenu()
{
    Tidewrackmaximieren1->Caption = language::Text("Tidewrack maximieren", "Maximize");
    Beenden1->Caption = language::Text("Beenden", "Terminate");
}

void TForm1::BuildTitleBar()
{
    Panel100 = new TPanel(this);
    Panel100->Name = "Panel100";
    Panel100->SetParent(this);
    Panel100->SetAlign(alTop);
    Panel100->SetHeight(35);
    Panel100->SetBevelOuter(bvNone);

    Image101 = MakeImage(this, Panel100, "Image101", 0, 0, 664, 35);
    Image101->SetAlign(alClient);
    Image101->SetStretch(true);
    Image101->Picture()->SetBitmap(pictures::TitleBar(664, 35));
    Image101->OnMouseDown = Bind(this, &TForm1::Image101MouseDown);

    struct Button {
        TImage** field;
        const char* name;
        pictures::TitleButton glyph;
    };
    const Button buttons[] = {
        {&Image33, "Image33", pictures::TitleButton::Close},
        {&Image32, "Image32", pictures::TitleButton::Maximize},
        {&Image31, "Image31", pictures::TitleButton::Minimize},
        {&Image30, "Image30", pictures::TitleButton::About},
        {&Image36, "Image36", pictures::TitleButton::Help},
    };
    for (const Button& button : buttons) {
        TImage* image = MakeImage(this, Panel100, button.name, 0, 9, 16, 16);
        image->Picture()->SetIcon(pictures::TitleButtonIcon(button.glyph));
        image->SetCursor(crHandPoint);
        image->BringToFront();
        *button.field = image;
    }
    Image33->OnClick = Bind(this, &TForm1::Image33Click);
    Image32->OnClick = Bind(this, &TForm1::Image32Click);
    Image31->OnClick = Bind(this, &TForm1::Image31Click);
    Image33->OnMouseMove = Bind(this, &TForm1::Image33MouseMove);
    Image32->OnMouseMove = Bind(this, &TForm1::Image32MouseMove);
    Image31->OnMouseMove = Bind(this, &TForm1::Image31MouseMove);
    Image30->OnMouseMove = Bind(this, &TForm1::Image30MouseMove);
    Image36->OnMouseMove = Bind(this, &TForm1::Image36MouseMove);
    Image30->OnClick = Bind(this, &TForm1::Image30Click);
    Image36->OnClick = Bind(this, &TForm1::Image36Click);
    PlaceTitleButtons(38);
}

void TForm1::PlaceTitleButtons(int closeOffset)
{
    TImage* order[] = {Image33, Image32, Image31, Image30, Image36};
    int left = Width() - closeOffset;
    for (TImage* image : order) {
        image->SetLeft(left);
        left -= 18;
    }
}

void TForm1::BuildSidebar()
{
    Panel101 = new TPanel(this);
    Panel101->Name = "Panel101";
    Panel101->SetParent(this);
    Panel101->SetAlign(alLeft);
    Panel101->SetWidth(sidebarWidth);
    Panel101->SetBevelOuter(bvNone);
    Panel101->SetColor(sidebarColor);

    SidebarImages = new TImageList(this);
    for (int i = 0; i < pictures::mainImageCount; ++i) {
        HICON icon = pictures::MainImage(i);
        SidebarImages->AddIcon(icon);
        DestroyIcon(icon);
    }

    int top = 4;
    for (int g = 0; g < 6; ++g) {
        auto* group = new TPanel(this);
        group->Name = "Panel" + std::to_string(1000 + g);
        group->SetParent(Panel101);
        group->SetBevelOuter(bvNone);
        group->SetBounds(4, top, groupWidth, groupHeight);
        top += groupHeight + 4;

        TImage* picture = MakeImage(this, group, "Image" + std::to_string(groupImageNumber[g]), 0, 0,
                                    groupWidth, groupHeight);
        picture->SetAlign(alClient);
        picture->SetStretch(true);
        picture->Picture()->SetBitmap(pictures::GroupTitle(groupWidth, groupHeight, false));

        TImage* icon = MakeImage(this, group, "", 4, 4, 16, 16);
        icon->Picture()->SetIcon(SidebarImages->GetIcon(groupIconIndex[g]));

        auto* title = new TLabel(this);
        title->Name = "Label" + std::to_string(1000 + g);
        title->SetParent(group);
        title->SetTransparent(true);
        title->SetBounds(26, 5, groupWidth - 30, 16);
        title->Font()->SetColor(clBlue);
        title->SetCaption(groupTitles[g][0]);
        title->BringToFront();
        title->OnMouseMove = Bind(this, &TForm1::LabelMouseMove);
        title->OnMouseLeave = Bind(this, &TForm1::LabelMouseLeave);

        // The title's picture, icon and caption all open or close the group.
        for (TControl* part : std::initializer_list<TControl*>{picture, icon, title})
            part->OnClick = Bind(this, groupClick[g]);
        picture->SetCursor(crHandPoint);
        icon->SetCursor(crHandPoint);

        SidebarGroups[g] = group;
        SidebarGroupPictures[g] = picture;
        SidebarGroupIcons[g] = icon;
        SidebarGroupLabels[g] = title;
    }

    Panel = new TPanel(this);
    Panel->Name = "Panel";
    Panel->SetParent(Panel101);
    Panel->SetBevelOuter(bvNone);
    Panel->SetColor(clWhite);
    Panel->SetBounds(4, top, groupWidth, 86);

    Label1 = new TLabel(this);
    Label1->Name = "Label1";
    Label1->SetParent(Panel101);
    Label1->SetTransparent(true);
    Label1->SetBounds(8, 322, groupWidth - 8, 16);
    Label1->Font()->SetColor(clNavy);

    Image6 = MakeImage(this, Panel101, "Image6", 8, 342, 16, 16);
    Image6->Picture()->SetIcon(pictures::TitleButtonIcon(pictures::TitleButton::Tray));
    Image6->SetCursor(crHandPoint);
    Image6->OnClick = Bind(this, &TForm1::Image6Click);
    Image5 = MakeImage(this, Panel101, "Image5", 28, 342, 16, 16);
    Image5->Picture()->SetIcon(pictures::TitleButtonIcon(pictures::TitleButton::Exit));
    Image5->SetCursor(crHandPoint);
    Image5->OnClick = Bind(this, &TForm1::Image5Click);
}

// The titles are made in the layout language; in English mode Language sets them anew.
void TForm1::CaptionSidebarGroups()
{
    for (int g = 0; g < 6; ++g)
        SidebarGroupLabels[g]->SetCaption(language::Text(groupTitles[g][0], groupTitles[g][1]));
}

void TForm1::BuildPages()
{
    PageControl1 = new TPageControl(this);
    PageControl1->Name = "PageControl1";
    PageControl1->SetParent(this);
    PageControl1->SetAlign(alClient);
    for (int number = 1; number <= 23; ++number) {
        if (number == 5)
            continue;
        auto* sheet = new TTabSheet(this);
        sheet->Name = "TabSheet" + std::to_string(number);
        sheet->SetPageControl(PageControl1);
        sheet->SetColor(clWhite);
        TabSheets[number] = sheet;
    }
}
