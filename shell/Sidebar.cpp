// The sidebar: six collapsible groups stacked on the left; the open group shows its links
// in the one shared link panel right under its title. A click on a link remembers the
// group and the link and hands over to the page dispatcher.
#include "shell/Unit1.h"

#include "common/Language.h"
#include "pageparts/Pictures.h"
#include "shell/SidebarLinks.h"

namespace {

const int sidebarGap = 4; // pixels between stacked panels

} // namespace

void TForm1::Image1004Click(TObject*) { SidebarGroupClick(0); }
void TForm1::Image1005Click(TObject*) { SidebarGroupClick(1); }
void TForm1::Image1006Click(TObject*) { SidebarGroupClick(2); }
void TForm1::Image1003Click(TObject*) { SidebarGroupClick(3); }
void TForm1::Image1016Click(TObject*) { SidebarGroupClick(4); }
void TForm1::Image1017Click(TObject*) { SidebarGroupClick(5); }

// The group's toggle byte says what the next click does: 1 opens, 0 closes. Normal()
// resets every other group's byte, so a click on another group always opens it.
void TForm1::SidebarGroupClick(int group)
{
    NavSection = group;
    LastSidebarGroup = group + 1;
    Normal();

    unsigned char wasToOpen = SidebarGroupToggle[group];
    SidebarGroupToggle[group] = wasToOpen ? 0 : 1;
    if (!wasToOpen) {
        ShowSidebarGroupTitle(group, false);
        return;
    }

    ShowSidebarGroupTitle(group, true);
    Panel->Show();
    FillLabel(group + 1);
    TPanel* title = SidebarGroups[group];
    Panel->SetTop(title->Top() + title->Height());
    int top = Panel->Top() + Panel->Height() + sidebarGap;
    for (int later = group + 1; later < 6; ++later) {
        SidebarGroups[later]->SetTop(top);
        top += SidebarGroups[later]->Height() + sidebarGap;
    }
}

void TForm1::Normal()
{
    int top = SidebarGroups[0]->Top();
    for (int group = 0; group < 6; ++group) {
        SidebarGroups[group]->SetTop(top);
        top += SidebarGroups[group]->Height() + sidebarGap;
    }
    Panel->Hide();
    for (int group = 0; group < 6; ++group) {
        ShowSidebarGroupTitle(group, false);
        if (group + 1 != LastSidebarGroup)
            SidebarGroupToggle[group] = 1;
    }
}

void TForm1::ShowSidebarGroupTitle(int group, bool open)
{
    if (SidebarGroupOpen[group] == open)
        return; // drawn already
    TImage* picture = SidebarGroupPictures[group];
    picture->Picture()->SetBitmap(pictures::GroupTitle(picture->Width(), picture->Height(), open));
    SidebarGroupOpen[group] = open;
}

void TForm1::FillLabel(int group)
{
    for (int i = 0; i < 20; ++i) {
        SidebarLinks[i]->Hide();
        SidebarLinks[i]->SetCaption("");
        SidebarIcons[i]->Picture()->Clear();
        SidebarIcons[i]->Hide();
    }
    sidebar::GroupLinks links = sidebar::LinksOf(group - 1, language::German(), OsLevel);
    for (size_t i = 0; i < links.links.size(); ++i)
        BuildLabel(static_cast<int>(i), links.links[i].iconIndex, links.links[i].caption);
    Panel->SetHeight(links.panelHeight);
}

void TForm1::BuildLabel(int index, int iconIndex, const std::string& caption)
{
    TLabel* link = SidebarLinks[index];
    link->SetTop(10 + 16 * index);
    link->SetLeft(34);
    link->SetCaption(caption);
    link->SetTransparent(true);
    link->BringToFront();
    link->Tag = index;
    link->Font()->SetColor(clBlue);
    link->OnClick = Bind(this, &TForm1::LabelClick);
    link->Show();

    TImage* icon = SidebarIcons[index];
    icon->SetTop(10 + 16 * index);
    icon->BringToFront();
    icon->Picture()->SetIcon(SidebarImages->GetIcon(iconIndex));
    icon->Tag = index;
    icon->Show();
}

void TForm1::LabelClick(TObject* sender)
{
    NavItem = static_cast<TComponent*>(sender)->Tag;
    SpeedClick(sender);
}

// Links and group titles share one look while the mouse is over them.
void TForm1::LabelMouseMove(TObject* sender, TShiftState, int, int)
{
    auto* link = static_cast<TLabel*>(sender);
    link->Font()->SetColor(clRed);
    link->Font()->SetStyle(fsBold | fsUnderline);
    link->SetCursor(crHandPoint);
}

void TForm1::LabelMouseLeave(TObject* sender)
{
    auto* link = static_cast<TLabel*>(sender);
    link->Font()->SetColor(clBlue);
    link->Font()->SetStyle(0);
}
