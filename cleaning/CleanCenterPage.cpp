// The clean center page (TabSheet18): 22 one-click items in five groups in a scroll box,
// each with a details link, and the page's select, invert, secure-deletion and Delete.
#include "shell/Unit1.h"

#include "cleaning/CleanCenterItems.h"
#include "common/Language.h"
#include "common/OptionsKeys.h"
#include "pageparts/PageParts.h"
#include "pageparts/RegistryLayer.h"
#include "pageparts/ShellHelpers.h"
#include "system/ShowKeyValues.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/Effects.h"
#include "toolkit/ScrollBox.h"

namespace {

// Rows lie on a 16-pixel grid below the first group's title.
int RowTop(int row) { return 40 + 16 * row; }

// Each group's title row and its first item's row; the first title sits above the grid.
const int groupTitleTops[clean_center::kGroupCount] = {16, RowTop(7), RowTop(19), RowTop(29), RowTop(34)};
const int groupFirstRows[clean_center::kGroupCount] = {0, 9, 21, 31, 36};
const int groupFirstItems[clean_center::kGroupCount] = {0, 5, 13, 19, 20};

int ItemTop(int index)
{
    int group = clean_center::ItemAt(index).group;
    return RowTop(groupFirstRows[group] + index - groupFirstItems[group]);
}

} // namespace

void TForm1::BuildCleanCenterPage()
{
    TTabSheet* page = TabSheets[18];
    auto* box = new TScrollBox(this);
    box->Name = "ScrollBox1";
    box->SetParent(page);
    box->SetBounds(8, 8, 460, 296);
    box->SetColor(clWhite);
    box->Content()->SetColor(clWhite);
    box->SetContentHeight(RowTop(38));
    ScrollBox1 = box;
    TPanel* content = box->Content();

    for (int group = 0; group < clean_center::kGroupCount; ++group) {
        auto* title = new TLabel(this);
        title->SetParent(content);
        title->SetTransparent(true);
        title->SetBounds(16, groupTitleTops[group], 250, 17);
        title->Font()->SetColor(static_cast<TColor>(0xFF0000));
        title->Font()->SetStyle(fsBold);
        CleanCenterGroupTitles[group] = title;
    }
    for (int index = 0; index < clean_center::kItemCount; ++index) {
        auto* check = new TCheckBox(this);
        check->Name = "CleanCenterBox" + std::to_string(index);
        check->SetParent(content);
        check->SetBounds(16, ItemTop(index), 250, 17);
        CleanCenterBoxes[index] = check;

        auto* link = new TLabel(this);
        link->Name = "DLabel" + std::to_string(index);
        link->SetParent(content);
        link->SetTransparent(true);
        link->SetBounds(300, ItemTop(index), 50, 17);
        link->Tag = index;
        link->SetCaption("Details");
        link->Font()->SetColor(clBlue);
        link->Font()->SetStyle(fsUnderline);
        link->OnMouseMove = Bind(this, &TForm1::DLabelMouseMove);
        link->OnMouseLeave = Bind(this, &TForm1::DLabelMouseLeave);
        link->OnClick = Bind(this, &TForm1::DLabelMouseClick);
        CleanCenterLinks[index] = link;
    }

    Label23 = page_parts::MakePageLink(this, page, "Label23", 16, 312, 110);
    Label23->OnClick = Bind(this, &TForm1::Label23Click);
    Label26 = page_parts::MakePageLink(this, page, "Label26", 140, 312, 110);
    Label26->OnClick = Bind(this, &TForm1::Label26Click);
    CheckBox4 = new TCheckBox(this);
    CheckBox4->Name = "CheckBox4";
    CheckBox4->SetParent(page);
    CheckBox4->SetBounds(16, 336, 300, 17);
    CheckBox4->OnClick = Bind(this, &TForm1::CheckBox4Click);
    Button2 = new TButton(this);
    Button2->Name = "Button2";
    Button2->SetParent(page);
    Button2->SetBounds(380, 332, 88, 25);
    Button2->OnClick = Bind(this, &TForm1::Button2Click);
}

void TForm1::ShowCleanCenter()
{
    ScrollBox1->ScrollTo(0);
    for (int group = 0; group < clean_center::kGroupCount; ++group)
        CleanCenterGroupTitles[group]->SetCaption(clean_center::GroupTitle(group, language::German()));
    for (int index = 0; index < clean_center::kItemCount; ++index) {
        const clean_center::Item& item = clean_center::ItemAt(index);
        CleanCenterBoxes[index]->SetCaption(language::Text(item.german, item.english));
    }
    Label23->SetCaption(language::Text("Alle auswählen", "Select all"));
    Label26->SetCaption(language::Text("Auswahl umkehren", "Invert selection"));
    CheckBox4->SetCaption(language::Text("Dateien und Ordner nach DOD 5220.22-M löschen ",
                                         "Delete Files and Folders with DOD 5220.22-M "));
    Button2->SetCaption(language::Text("Löschen", "Delete"));

    const std::string stored = ReadReg(rootCurrentUser, options::Key, options::CleanCenterChecked, "s");
    if (!stored.empty()) {
        const clean_center::Ticks ticks = clean_center::ParseTicks(stored);
        for (int index = 0; index < clean_center::kItemCount; ++index)
            CleanCenterBoxes[index]->SetChecked(ticks[index]);
    }
    // The page-file box shows what Windows will do, so that a run changes the switch
    // only when the user changed the box.
    PageFileSwitchShown = ReadReg(rootLocalMachine, clean_center::kPageFileKey, clean_center::kPageFileValue, "i") == "1";
    CleanCenterBoxes[4]->SetChecked(PageFileSwitchShown);
}

void TForm1::GetMRUList(int root, const std::string& key, const std::string& title)
{
    ShowKeyValues(this, *XPMenu1, registry_layer::RootKeyOf(root), key, title);
}

void TForm1::Label23Click(TObject*)
{
    for (TCheckBox* box : CleanCenterBoxes)
        box->SetChecked(true);
}

void TForm1::Label26Click(TObject*)
{
    for (TCheckBox* box : CleanCenterBoxes)
        box->SetChecked(!box->Checked());
}

void TForm1::CheckBox4Click(TObject*)
{
    WriteReg(rootCurrentUser, options::Key, options::CleanCenterWithDOD, CheckBox4->Checked() ? "1" : "0", "s");
}

void TForm1::ApplyCleanCenterWithDOD(const std::string& value)
{
    // Set before the handler is wanted: showing the stored state must not store it again.
    TNotifyEvent handler = std::move(CheckBox4->OnClick);
    CheckBox4->SetChecked(value == "1");
    CheckBox4->OnClick = std::move(handler);
}

void TForm1::DLabelMouseMove(TObject* sender, TShiftState, int, int)
{
    auto* link = static_cast<TLabel*>(sender);
    link->Font()->SetColor(static_cast<TColor>(0x0000FF));
    link->Font()->SetStyle(fsBold | fsUnderline);
    link->SetCursor(crHandPoint);
}

void TForm1::DLabelMouseLeave(TObject* sender)
{
    auto* link = static_cast<TLabel*>(sender);
    link->Font()->SetColor(clBlue);
    link->Font()->SetStyle(fsUnderline);
}

void TForm1::DLabelMouseClick(TObject* sender)
{
    const int index = static_cast<TComponent*>(sender)->Tag;
    if (index < 0 || index >= clean_center::kItemCount)
        return;
    const clean_center::Item& item = clean_center::ItemAt(index);
    switch (item.details) {
    case clean_center::Details::OpenFolder: {
        std::string folder = index == 0   ? RecentDir
                             : index == 1 ? TempDir
                             : index == 3 ? WindowsDir + "\\Prefetch"
                                          : WindowsDir + "\\Offline Web Pages";
        if (!folder.empty())
            effects::ShellOpen(Handle(), "open", folder, "", "", SW_SHOWNORMAL);
        break;
    }
    case clean_center::Details::OpenSpecialFolder: OpenSpecialFolder(item.specialFolder); break;
    case clean_center::Details::ValueViewer:
        GetMRUList(rootCurrentUser, item.viewerKey, language::Text(item.germanTitle, item.englishTitle));
        break;
    case clean_center::Details::Box:
        effects::ShowMessageBox(Application->Handle(), language::Text(item.germanTitle, item.englishTitle),
                                language::Text(item.germanCaption, item.englishCaption),
                                MB_OK | MB_ICONINFORMATION | MB_SYSTEMMODAL);
        break;
    case clean_center::Details::CookieDialog: OpenCookieKeepDialog(); break;
    }
}
