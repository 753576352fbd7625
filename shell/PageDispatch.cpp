// The page dispatcher: a sidebar link (group NavSection, link NavItem) runs its page's
// initialiser and shows the page. The options link opens a dialog instead of a page.
#include "shell/Unit1.h"

void TForm1::SpeedClick(TObject*)
{
    auto show = [this](int sheet) { PageControl1->SetActivePage(TabSheets[sheet]); };
    switch (NavSection * 100 + NavItem) {
    case 0: show(8); break;    // scan locations
    case 1: show(9); break;    // file masks
    case 2: show(1); break;    // exclusion folders
    case 3: show(7); break;    // scan options and "Scan now"
    case 100: InitWipeSpace(); show(13); break;
    case 101: ClearShredderList(); show(14); break;
    case 102: CaptionDuplicatePage(); show(15); break; // duplicate search
    case 103: {
        HourGlass busy;
        GetSharedDLL();
        show(17);
        break;
    }
    case 200: ListInternetCache(); show(10); break;
    case 201: GetRegCleanDrives(); show(16); break;
    case 202: {
        HourGlass busy;
        ShowCleanCenter();
        show(18);
        break;
    }
    case 203: Refresh1Click(nullptr); show(19); break;
    case 204:
        CaptionUninstallPage();
        GetUninstallProgramms();
        show(20);
        break;
    case 205: Refresh2Click(nullptr); show(21); break; // refills inside one list update
    case 206: SelectFirstSplitSize(); show(22); break;
    case 207:
        // The privacy tree's handlers ignore the changes made while it is being built.
        SpyTreeBusy = 1;
        show(23);
        InitSpyTree();
        GetSettingsSpy();
        SpyTreeBusy = 0;
        show(23);
        break;
    case 300: show(3); break;  // drive information
    case 301: CaptionSpaceManagerPage(); show(11); break; // space manager start
    case 302: ClearFolderIndexList(); show(4); break;
    case 303:
        show(2);
        InitCHKDSKDrives();
        RestoreChkDskChecks();
        show(2);
        break;
    case 400: GetBackup(); ShadeBackupList(); show(6); break;
    case 500: CaptionUpdatePage(); show(12); break;
    case 501: ShowOptionsDialog(); break;
    default: break;
    }
}
