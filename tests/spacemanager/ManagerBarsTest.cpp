// The space manager's bars: the tool bar's drop-downs and hints, the address list's
// entries and pictures, the splitter of the folder panel and the icon size of each view.
#include "common/OptionsKeys.h"
#include "spacemanager/Dirsize.h"
#include "tests/support/MainFormFixture.h"
#include "tests/support/TempFolder.h"
#include "toolkit/ImageList.h"

using testing_support::TempFolder;
namespace keys = options::dirSize;

namespace {

class ManagerBarsTest : public testing_support::MainFormTest {
protected:
    void Open(int languageFlag = 1)
    {
        Form1->LanguageFlag = languageFlag;
        Form1->Button8Click(nullptr);
        ASSERT_NE(nullptr, Form11);
    }

    // Presses the left button on the splitter, moves it by dx and lets go.
    static void Drag(TSplitter* splitter, int dx)
    {
        const HWND bar = splitter->Handle();
        SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 10));
        SendMessageA(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(1 + dx, 10));
        SendMessageA(bar, WM_LBUTTONUP, 0, MAKELPARAM(1 + dx, 10));
    }
};

void CALLBACK EndMenuNow(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    EndMenu();
}

// The menu a click on the button opened, closed again at once.
TPopupMenu* MenuOpenedBy(TToolButton* button)
{
    TPopupMenu* opened = nullptr;
    TPopupMenu* menu = button->DropdownMenu;
    if (!menu)
        return nullptr;
    TNotifyEvent before = menu->OnPopup;
    menu->OnPopup = [&](TObject* sender) {
        opened = menu;
        if (before)
            before(sender);
        // The menu's own loop ends it as soon as it runs.
        SetTimer(nullptr, 0, 0, EndMenuNow);
    };
    button->Click();
    menu->OnPopup = before;
    return opened;
}

// The caption the bar shows on the button and the text of its tool tip.
std::pair<std::string, std::string> TextsOf(TToolButton* button)
{
    const HWND bar = button->ToolBar()->Handle();
    TBBUTTON item{};
    SendMessageA(bar, TB_GETBUTTON, button->Index(), reinterpret_cast<LPARAM>(&item));
    char caption[100] = "", tip[200] = "";
    SendMessageA(bar, TB_GETBUTTONTEXTA, item.idCommand, reinterpret_cast<LPARAM>(caption));
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = bar;
    tool.uId = item.idCommand;
    tool.lpszText = tip;
    SendMessageA(reinterpret_cast<HWND>(SendMessageA(bar, TB_GETTOOLTIPS, 0, 0)), TTM_GETTEXTA, sizeof tip,
                 reinterpret_cast<LPARAM>(&tool));
    return {caption, tip};
}

// Caption and tool tip of File, Edit, View and Options.
using ButtonTexts = std::pair<std::string, std::string>;

// Each drop-down opens its own menu and shows its texts in the language.
void CheckDropDowns(const ButtonTexts (&texts)[4])
{
    TToolButton* buttons[] = {Form11->ToolButton1, Form11->ToolButton3, Form11->ToolButton5, Form11->ToolButton6};
    TPopupMenu* menus[] = {Form11->PopupMenu3, Form11->PopupMenu6, Form11->PopupMenu7, Form11->PopupMenu4};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(menus[i], MenuOpenedBy(buttons[i])) << buttons[i]->Name;
        EXPECT_EQ(texts[i], TextsOf(buttons[i]));
    }
}

} // namespace

TEST_F(ManagerBarsTest, TheDropDownsOpenTheirMenusAndSpeakGerman)
{
    Open(1);
    CheckDropDowns({{"Datei", "Diagramm kopieren oder speichern, Schließen"},
                    {"Bearbeiten", "Alles markieren oder Markierung umkehren"},
                    {"Ansicht", "Ansicht der Liste, der Ordner und des Diagramms"},
                    {"Optionen", "Gitternetzlinien, ganze Zeile markieren, Einstellungen speichern"}});
}

TEST_F(ManagerBarsTest, TheDropDownsOpenTheirMenusAndSpeakEnglish)
{
    Open(0);
    CheckDropDowns({{"File", "Copy or save the chart, close"},
                    {"Edit", "Select all or invert the selection"},
                    {"View", "View of the list, the folders and the chart"},
                    {"Options", "Gridlines, row select, save settings"}});
}

TEST_F(ManagerBarsTest, TheToolBarSitsInTheCoolBarWithLargeButtonsAndShellPictures)
{
    Open();
    EXPECT_EQ(Form11->CoolBar1, Form11->ToolBar1->Parent());
    EXPECT_EQ(1, Form11->CoolBar1->BandCount());
    EXPECT_EQ(32, Form11->ImageList1->Width());
    ASSERT_EQ(5, Form11->ToolBar1->ButtonCount());
    for (int i = 0; i < 5; ++i) {
        TToolButton* button = Form11->ToolBar1->Buttons(i);
        EXPECT_LE(0, button->ImageIndex()) << button->Name;
        EXPECT_EQ(52, button->BoundsRect().bottom - button->BoundsRect().top) << button->Name;
    }
    // The band is as tall as the buttons, and the address bar starts below it.
    EXPECT_LE(52, Form11->CoolBar1->Height());
    EXPECT_EQ(Form11->CoolBar1->Height(), Form11->Panel5->Top());
}

TEST_F(ManagerBarsTest, TheAddressListShowsMyComputersPlacesWithPicturesDrivesIndentedAndTheFolderLast)
{
    Open();
    const int last = Form11->FolderEntryIndex;
    ASSERT_EQ(last + 1, Form11->ComboBoxEx1->Count());
    ASSERT_EQ(Form11->AddressNames.size(), static_cast<size_t>(last + 1));
    bool drive = false;
    for (int i = 0; i < last; ++i) {
        const TComboExItem item = Form11->ComboBoxEx1->Item(i);
        const bool isDrive = item.caption.find(':') != std::string::npos;
        drive = drive || isDrive;
        EXPECT_EQ(Form11->AddressNames[i], item.caption);
        EXPECT_EQ(isDrive ? 1 : 0, item.indent) << item.caption;
        EXPECT_LE(0, item.imageIndex) << item.caption;
        EXPECT_EQ(item.imageIndex, item.selectedImageIndex) << item.caption;
        EXPECT_EQ(-1, item.overlayImageIndex) << item.caption;
    }
    EXPECT_TRUE(drive) << "C: is one of My Computer's places";
    // The open list is tall enough for the entries (the inner combo box opens only as
    // tall as it is made).
    HWND combo = reinterpret_cast<HWND>(SendMessageA(Form11->ComboBoxEx1->Handle(), CBEM_GETCOMBOCONTROL, 0, 0));
    SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    COMBOBOXINFO parts{};
    parts.cbSize = sizeof parts;
    ASSERT_TRUE(GetComboBoxInfo(combo, &parts));
    RECT open;
    GetWindowRect(parts.hwndList, &open);
    SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_LE((last + 1) * SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0), open.bottom - open.top);

    // A folder shown takes the last entry, indented, with the one folder picture.
    const int pictures = Form11->ImageList4->Count();
    TempFolder folder;
    LPITEMIDLIST list = nullptr;
    std::wstring wide(folder.Path().begin(), folder.Path().end());
    ASSERT_TRUE(SUCCEEDED(Form11->DesktopFolder->ParseDisplayName(nullptr, nullptr, &wide[0], nullptr, &list, nullptr)));
    Form11->ShowFolder(list);
    CoTaskMemFree(list);
    const TComboExItem shown = Form11->ComboBoxEx1->Item(last);
    EXPECT_EQ(folder.Path(), shown.caption);
    EXPECT_EQ(1, shown.indent);
    EXPECT_LE(0, shown.imageIndex);
    EXPECT_EQ(last, Form11->ComboBoxEx1->ItemIndex());
    EXPECT_EQ(last + 1, Form11->ComboBoxEx1->Count());
    EXPECT_EQ(pictures, Form11->ImageList4->Count());
}

TEST_F(ManagerBarsTest, PickingADriveEntryShowsItsNodeAndTheLastEntryStaysPut)
{
    Open();
    int drive = -1;
    for (int i = 0; i < Form11->FolderEntryIndex && drive < 0; ++i)
        if (Form11->AddressNames[i].find(':') != std::string::npos)
            drive = i;
    ASSERT_LE(0, drive);
    // As the user's pick: the inner combo box tells the extended one, which tells the window.
    const HWND combo =
        reinterpret_cast<HWND>(SendMessageA(Form11->ComboBoxEx1->Handle(), CBEM_GETCOMBOCONTROL, 0, 0));
    auto pick = [&](int index) {
        SendMessageA(combo, CB_SETCURSEL, index, 0);
        SendMessageA(Form11->ComboBoxEx1->Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(combo));
    };
    pick(drive);
    TTreeNode* node = Form11->TreeView1->Selected();
    ASSERT_NE(nullptr, node);
    EXPECT_EQ(Form11->FindTreeNodeByName(Form11->AddressNames[drive]), node);
    pick(Form11->FolderEntryIndex);
    EXPECT_EQ(node, Form11->TreeView1->Selected());
}

TEST_F(ManagerBarsTest, DraggingTheSplitterResizesTheFolderPanelWithinLimitsAndTheWidthIsKept)
{
    Store(keys::Key, keys::TreeWidth, "200");
    Open();
    ASSERT_EQ(200, Form11->Panel3->Width());
    const struct { int dx; int width; } drags[] = {
        {50, 250},
        {-1000, Form11->Splitter2->MinSize},
        {5000, Form11->ClientWidth() - Form11->Splitter2->Width() - Form11->Splitter2->MinSize},
        {-20, Form11->ClientWidth() - Form11->Splitter2->Width() - Form11->Splitter2->MinSize - 20},
    };
    for (const auto& drag : drags) {
        Drag(Form11->Splitter2, drag.dx);
        EXPECT_EQ(drag.width, Form11->Panel3->Width()) << drag.dx;
        EXPECT_EQ(drag.width, Form11->Splitter2->Left()) << drag.dx;
    }
    const int width = Form11->Panel3->Width();
    Form11->Close();
    EXPECT_EQ(std::to_string(width), Stored(keys::Key, keys::TreeWidth).value_or(""));
}

TEST_F(ManagerBarsTest, TheSplitterGoesAndComesWithTheFolderPanel)
{
    Open();
    Form11->SpeedButton1Click(nullptr);
    EXPECT_FALSE(Form11->Splitter2->Visible());
    Form11->Ordneranzeigen1Click(nullptr);
    EXPECT_TRUE(Form11->Splitter2->Visible());
    EXPECT_EQ(Form11->Panel3->Width(), Form11->Splitter2->Left());
}

TEST_F(ManagerBarsTest, OnlyTheLargeIconsViewAsksForLargeIcons)
{
    Open();
    const struct { TMenuItem* item; UINT flag; } views[] = {
        {Form11->GroeSymbole2, SHGFI_LARGEICON}, {Form11->KleineSymbole3, SHGFI_SMALLICON},
        {Form11->GroeSymbole1, SHGFI_LARGEICON}, {Form11->Liste3, SHGFI_SMALLICON},
        {Form11->GroeSymbole2, SHGFI_LARGEICON}, {Form11->Details3, SHGFI_SMALLICON},
    };
    EXPECT_EQ(static_cast<UINT>(SHGFI_SMALLICON), Form11->IconSizeFlag);
    for (const auto& view : views) {
        view.item->Click();
        EXPECT_EQ(view.flag, Form11->IconSizeFlag) << view.item->Name;
    }
}
