// The sidebar's groups and links, and the page each link shows.
#include "pageparts/HostDialog.h"
#include "tests/shell/FormFixture.h"
#include "tests/support/TempFolder.h"
#include "toolkit/ListView.h"
#include "toolkit/Menus.h"

#include <string>
#include <vector>

namespace {

class NavigationTest : public FormFixture {
protected:
    // Opens the group by a click on its title picture, as the user would.
    void OpenGroup(int group)
    {
        TImage* title = Form1->SidebarGroupPictures[group];
        title->OnClick(title);
        if (!Form1->SidebarGroupOpen[group])
            title->OnClick(title); // it was the open group: the first click closed it
        ASSERT_TRUE(Form1->SidebarGroupOpen[group]);
    }

    std::vector<std::string> ShownLinks()
    {
        std::vector<std::string> captions;
        for (TLabel* link : Form1->SidebarLinks)
            if (link->Visible())
                captions.push_back(link->Caption());
        return captions;
    }

    void ClickLink(int index)
    {
        TLabel* link = Form1->SidebarLinks[index];
        ASSERT_TRUE(link->Visible());
        link->OnClick(link);
    }

    int GroupTop(int group) { return Form1->SidebarGroups[group]->Top(); }
    int GroupBottom(int group) { return GroupTop(group) + Form1->SidebarGroups[group]->Height(); }
};

TEST_F(NavigationTest, StartOpensTheFirstGroup)
{
    EXPECT_TRUE(Form1->SidebarGroupOpen[0]);
    EXPECT_TRUE(Form1->Panel->Visible());
    EXPECT_EQ(Form1->Panel->Top(), GroupBottom(0));
    EXPECT_EQ(GroupTop(1), Form1->Panel->Top() + Form1->Panel->Height() + 4);
    EXPECT_EQ(ShownLinks(),
              (std::vector<std::string>{"Laufwerke wählen", "Dateimasken", "Suchausnahmen", "Start"}));
    EXPECT_EQ(Form1->PageControl1->ActivePage(), Form1->TabSheets[8]);
}

TEST_F(NavigationTest, SameGroupOpensClosesAndOpensAgain)
{
    Form1->Image1005Click(nullptr);
    EXPECT_TRUE(Form1->SidebarGroupOpen[1]);
    EXPECT_FALSE(Form1->SidebarGroupOpen[0]);
    EXPECT_EQ(Form1->Panel->Top(), GroupBottom(1));
    EXPECT_EQ(Form1->Panel->Height(), 86);
    EXPECT_EQ(GroupTop(2), Form1->Panel->Top() + 86 + 4);

    Form1->Image1005Click(nullptr);
    EXPECT_FALSE(Form1->SidebarGroupOpen[1]);
    EXPECT_FALSE(Form1->Panel->Visible());
    for (int group = 1; group < 6; ++group)
        EXPECT_EQ(GroupTop(group), GroupBottom(group - 1) + 4) << group;

    Form1->Image1005Click(nullptr);
    EXPECT_TRUE(Form1->SidebarGroupOpen[1]);
    EXPECT_TRUE(Form1->Panel->Visible());
    EXPECT_EQ(Form1->NavSection, 1);
    EXPECT_EQ(Form1->LastSidebarGroup, 2);
}

TEST_F(NavigationTest, AnotherGroupClosesTheOpenOneAndTheOldOneOpensAgainAtOnce)
{
    Form1->Image1006Click(nullptr);
    EXPECT_FALSE(Form1->SidebarGroupOpen[0]);
    EXPECT_TRUE(Form1->SidebarGroupOpen[2]);
    EXPECT_EQ(GroupTop(1), GroupBottom(0) + 4);

    Form1->Image1004Click(nullptr); // group 0 was left open when group 2 was clicked
    EXPECT_TRUE(Form1->SidebarGroupOpen[0]);
    EXPECT_FALSE(Form1->SidebarGroupOpen[2]);
    EXPECT_EQ(Form1->SidebarGroupToggle[2], 1);
    EXPECT_EQ(Form1->SidebarGroupToggle[0], 0);
}

TEST_F(NavigationTest, TitleIconAndLabelOpenTheirGroupToo)
{
    TImage* icon = Form1->SidebarGroupIcons[5];
    icon->OnClick(icon);
    EXPECT_TRUE(Form1->SidebarGroupOpen[5]);
    TLabel* title = Form1->SidebarGroupLabels[3];
    title->OnClick(title);
    EXPECT_TRUE(Form1->SidebarGroupOpen[3]);
    EXPECT_EQ(Form1->NavSection, 3);
}

struct Destination {
    int group;
    int link;
    int sheet; // 0: no page (a dialog)
};

const Destination destinations[] = {
    {0, 0, 8},  {0, 1, 9},  {0, 2, 1},  {0, 3, 7},  {1, 0, 13}, {1, 1, 14}, {1, 2, 15},
    {1, 3, 17}, {2, 0, 10}, {2, 1, 16}, {2, 2, 18}, {2, 3, 19}, {2, 4, 20}, {2, 5, 21},
    {2, 6, 22}, {2, 7, 23}, {3, 0, 3},  {3, 1, 11}, {3, 2, 4},  {3, 3, 2},  {4, 0, 6},
    {5, 0, 12}, {5, 1, 0},
};

TEST_F(NavigationTest, EveryLinkShowsItsPageInBothLanguages)
{
    Form1->OsLevel = 3; // every link is offered
    // The options link opens its modal dialog: close it as soon as it shows.
    int optionDialogs = 0;
    UINT_PTR closer = toolkit::StartTimer(20, [&] {
        if (Form6 && Form6->Visible()) {
            ++optionDialogs;
            Form6->Close();
        }
    });
    for (int language : {1, 0}) {
        Form1->LanguageFlag = language;
        for (const Destination& to : destinations) {
            SCOPED_TRACE("language " + std::to_string(language) + " group " +
                         std::to_string(to.group) + " link " + std::to_string(to.link));
            Form1->SetPage(0);
            TTabSheet* before = Form1->PageControl1->ActivePage();
            OpenGroup(to.group);
            ClickLink(to.link);
            EXPECT_EQ(Form1->NavSection, to.group);
            EXPECT_EQ(Form1->NavItem, to.link);
            EXPECT_EQ(Form1->PageControl1->ActivePage(), to.sheet ? Form1->TabSheets[to.sheet] : before);
        }
    }
    toolkit::StopTimer(closer);
    EXPECT_EQ(optionDialogs, 2);
}

// One caption of each page, as its link shows it after a start in either language.
struct PageCaption {
    int group;
    int link;
    const char* control;
    int column; // a list column's caption, or -1 for the control's own
    const char* german;
    const char* english;
};

const PageCaption pageCaptions[] = {
    {0, 0, "LocationsPageTitle", -1, "Zu durchsuchende Laufwerke und Ordner", "Drives and folders to search"},
    {0, 1, "MaskPageTitle", -1, "Gesuchte Dateiendungen", "File endings to search for"},
    {0, 2, "ExcludePageTitle", -1, "Diese Ordner werden nicht durchsucht", "These folders are not searched"},
    {0, 3, "ScanPageTitle", -1, "Was soll mit den gefundenen Dateien geschehen?", "What shall happen to the files found?"},
    {1, 0, "Label48", -1, "Freien Speicher löschen", "Wipe free space"},
    {1, 1, "Button1", -1, "Löschen", "Shred"},
    {1, 2, "DuplicatePageTitle", -1, "Doppelte Dateien suchen in", "Search duplicate files in"},
    {1, 3, "ListView14", 1, "Wert", "Value"},
    {2, 0, "Label5", -1, "Internet-Cookies löschen", "Delete Internet Cookies"},
    {2, 1, "Label70", -1, "Registrierung durchsuchen", "Scan registry"},
    {2, 2, "Button2", -1, "Löschen", "Delete"},
    {2, 3, "Gehezu1", -1, "Gehe zu", "Jump to"},
    {2, 4, "Button4", -1, "Deinstallieren", "Uninstall"},
    {2, 5, "ListView16", 0, "Hersteller", "Vendor"},
    {2, 6, "SplitterPageTitle", -1, "Datei in Teile zerlegen", "Split a file into parts"},
    {2, 7, "Label92", -1, "Einstellungen übernehmen", "Apply settings"},
    {3, 0, "DriveInfoTitle", -1, "Laufwerksinformationen", "Drive Information"},
    {3, 1, "SpaceManagerTitle", -1, "Speicherplatz-Manager", "Space Manager"},
    {3, 1, "Button8", -1, "Starten", "Start"},
    {3, 2, "Button6", -1, "Erstellen", "Create"},
    {3, 3, "Button5", -1, "Jetzt prüfen", "Check Now"},
    {4, 0, "BackupsTitleLabel", -1, "Sicherungen gelöschter Dateien", "Backups of deleted files"},
    {5, 0, "Label47", -1, "Nach neuer Version suchen", "Check for a new version"},
};

// A component of owner or of one of the components it owns (menu items belong to their menu).
TComponent* Find(TComponent* owner, const std::string& name)
{
    if (TComponent* found = owner->FindComponent(name))
        return found;
    for (int i = 0; i < owner->ComponentCount(); ++i)
        if (TComponent* found = Find(owner->Components(i), name))
            return found;
    return nullptr;
}

// The pages are built before the language file is read: each must still speak its language.
TEST_F(NavigationTest, EveryPageSpeaksTheLanguageOfTheStart)
{
    testing_support::TempFolder programFolder;
    for (bool german : {true, false}) {
        delete Form1;
        Form1 = nullptr;
        ClearSettings();
        Store(options::Key, options::ShowNetworkMessage, "done");
        Store(options::Key, options::InstallDir, programFolder.Path());
        testing_support::WriteFileText(programFolder / "language.dat", german ? "1\r\n" : "0\r\n");
        Start();
        Form1->OsLevel = 3;
        for (const PageCaption& page : pageCaptions) {
            SCOPED_TRACE(std::string(german ? "German " : "English ") + page.control);
            OpenGroup(page.group);
            ClickLink(page.link);
            TComponent* found = Find(Form1, page.control);
            ASSERT_NE(found, nullptr);
            std::string caption;
            if (auto* item = dynamic_cast<TMenuItem*>(found))
                caption = item->Caption;
            else if (page.column >= 0)
                caption = static_cast<TListView*>(found)->Columns()->Items(page.column)->Caption();
            else
                caption = static_cast<TControl*>(found)->Caption();
            EXPECT_EQ(caption, german ? page.german : page.english);
        }
    }
}

TEST_F(NavigationTest, LinkCaptionsFollowTheLanguage)
{
    Form1->OsLevel = 3;
    Form1->LanguageFlag = 0;
    Form1->FillLabel(1);
    EXPECT_EQ(ShownLinks(),
              (std::vector<std::string>{"Choose Drive", "File Masks", "Search Exceptions", "Start"}));
    Form1->FillLabel(3);
    std::vector<std::string> english = ShownLinks();
    ASSERT_EQ(english.size(), 8u);
    EXPECT_EQ(english[0], "IE Cookies");
    EXPECT_EQ(english[5], "Installed Software");
    EXPECT_EQ(english[6], "File Splitter");
    Form1->FillLabel(6);
    EXPECT_EQ(ShownLinks(), (std::vector<std::string>{"Check for New Version", "Options"}));

    Form1->LanguageFlag = 1;
    Form1->FillLabel(3);
    std::vector<std::string> german = ShownLinks();
    ASSERT_EQ(german.size(), 8u);
    EXPECT_EQ(german[0], "IE Cookies"); // the same in both languages
    for (size_t i = 1; i < german.size(); ++i)
        if (english[i] != "Autostart") {
            EXPECT_NE(german[i], english[i]) << i;
        }
    Form1->FillLabel(4);
    EXPECT_EQ(ShownLinks()[2], "VovOzOVIZ");
}

TEST_F(NavigationTest, LinksFollowTheWindowsFamily)
{
    Form1->LanguageFlag = 0;
    Form1->OsLevel = 0; // Windows 95, 98, ME
    Form1->FillLabel(3);
    EXPECT_EQ(ShownLinks().size(), 7u);
    EXPECT_EQ(Form1->Panel->Height(), 134);
    Form1->FillLabel(4);
    EXPECT_EQ(ShownLinks(), (std::vector<std::string>{"Drive Information", "Hoardmap Information",
                                                      "VovOzOVIZ"}));
    EXPECT_EQ(Form1->Panel->Height(), 70);

    Form1->OsLevel = 1; // NT 4
    Form1->FillLabel(3);
    EXPECT_EQ(ShownLinks().size(), 7u);
    Form1->FillLabel(4);
    EXPECT_EQ(ShownLinks().back(), "Check Disk");
    EXPECT_EQ(Form1->Panel->Height(), 86);

    Form1->OsLevel = 2; // Windows 2000
    Form1->FillLabel(3);
    EXPECT_EQ(ShownLinks().back(), "XP Privacy");
    EXPECT_EQ(Form1->Panel->Height(), 150);
}

TEST_F(NavigationTest, RefillingAShorterGroupHidesTheRest)
{
    Form1->FillLabel(3);
    Form1->FillLabel(5);
    EXPECT_EQ(ShownLinks(), (std::vector<std::string>{"Sicherungen"}));
    EXPECT_EQ(Form1->Panel->Height(), 38);
    EXPECT_TRUE(Form1->SidebarLinks[1]->Caption().empty());
    EXPECT_FALSE(Form1->SidebarIcons[1]->Visible());
    EXPECT_TRUE(Form1->SidebarIcons[1]->Picture()->Empty());
    EXPECT_FALSE(Form1->SidebarIcons[0]->Picture()->Empty());
    EXPECT_EQ(Form1->SidebarLinks[0]->Top(), 10);
    EXPECT_EQ(Form1->SidebarLinks[0]->Left(), 34);
}

TEST_F(NavigationTest, SetPageOutsideTheRangeChangesNothing)
{
    Form1->SetPage(3);
    TTabSheet* third = Form1->PageControl1->ActivePage();
    EXPECT_EQ(third, Form1->PageControl1->Pages(3));
    Form1->SetPage(Form1->PageControl1->PageCount());
    EXPECT_EQ(Form1->PageControl1->ActivePage(), third);
    Form1->SetPage(-1);
    EXPECT_EQ(Form1->PageControl1->ActivePage(), third);
}

TEST_F(NavigationTest, ShredderFolderIndexAndBackupListsAreLightGrey)
{
    Form1->NavSection = 4;
    Form1->NavItem = 0;
    Form1->SpeedClick(nullptr); // the backups page
    for (TListView* list : {Form1->ListView11, Form1->ListView7, Form1->ListView8})
        EXPECT_EQ(list->Color(), 0xEAEAEA) << list->Name;
}

TEST_F(NavigationTest, UnknownLinkDoesNothing)
{
    Form1->SetPage(5);
    TTabSheet* shown = Form1->PageControl1->ActivePage();
    Form1->NavSection = 4;
    Form1->NavItem = 1;
    Form1->SpeedClick(nullptr);
    EXPECT_EQ(Form1->PageControl1->ActivePage(), shown);
}

TEST_F(NavigationTest, EveryLinkFitsTheSidebarWhileHoveredInBothLanguages)
{
    Form1->OsLevel = 3;
    for (int language : {1, 0}) {
        Form1->LanguageFlag = language;
        for (int group = 1; group <= 6; ++group) {
            Form1->FillLabel(group);
            for (TLabel* link : Form1->SidebarLinks) {
                if (!link->Visible())
                    continue;
                link->OnMouseMove(link, 0, 1, 1); // bold, the widest it gets
                EXPECT_LE(link->Left() + link->Width(), Form1->Panel->ClientWidth()) << link->Caption();
                link->OnMouseLeave(link);
            }
        }
    }
}

TEST_F(NavigationTest, GroupTitlesAndLinksLightUpUnderTheMouse)
{
    for (TLabel* label : {Form1->SidebarGroupLabels[2], Form1->SidebarLinks[0]}) {
        label->OnMouseMove(label, 0, 1, 1);
        EXPECT_EQ(label->Font()->Color(), clRed);
        EXPECT_EQ(label->Font()->Style(), fsBold | fsUnderline);
        EXPECT_EQ(label->Cursor(), crHandPoint);
        label->OnMouseLeave(label);
        EXPECT_EQ(label->Font()->Color(), clBlue);
        EXPECT_EQ(label->Font()->Style(), 0u);
    }
}

} // namespace
