// The drive information page: the drives of the scan-location list, and for the selected
// one its space, volume data, file-system features and cluster geometry, with a pie of
// its used and free space.
#include "shell/Unit1.h"

#include "common/Language.h"
#include "pageparts/PageParts.h"
#include "pageparts/Pictures.h"
#include "system/DriveFacts.h"
#include "system/DrivePictures.h"
#include "toolkit/Chart.h"
#include "toolkit/ImageList.h"
#include "toolkit/ListView.h"
#include "toolkit/UpdateScope.h"

#include <commctrl.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

// The names are never cut, in either language; the values take the room that is left,
// and where a long volume label needs more the list scrolls sideways.
void FitFactColumns(TListView& list)
{
    std::vector<std::string> captions, values;
    for (int i = 0; i < list.Items()->Count(); ++i) {
        TListItem* row = list.Items()->Item(i);
        captions.push_back(row->Caption());
        values.push_back(row->SubItems()->Strings(0));
    }
    if (captions.empty())
        return;
    // The caption starts beside the row's picture.
    RECT bounds{LVIR_BOUNDS, 0, 0, 0}, label{LVIR_LABEL, 0, 0, 0};
    SendMessageA(list.Handle(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&bounds));
    SendMessageA(list.Handle(), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&label));
    TListColumns& columns = *list.Columns();
    columns[1]->SetMinWidth(list.CellWidth(values));
    columns[0]->SetWidth(label.left - bounds.left + list.CellWidth(captions));
}

} // namespace

void TForm1::BuildDriveInfoPage()
{
    TTabSheet* page = TabSheets[3];
    DriveInfoTitle = page_parts::MakePageTitle(this, page, "DriveInfoTitle", 10, 300);

    ListView5 = new TListView(this);
    ListView5->Name = "ListView5";
    ListView5->SetParent(page);
    // The drives and the pie take a narrow strip on the left, so that the facts beside
    // them show their names and values whole.
    constexpr int left = page_parts::contentLeft, strip = 150, factsLeft = left + strip + 10;
    ListView5->SetBounds(left, 32, strip, 130);
    ListView5->Columns()->Add()->SetWidth(strip);
    ListView5->SetLastColumnFills(true);
    ListView5->SetMultiSelect(false);
    ListView5->SetRowSelect(true);
    ListView5->SetHideSelection(false);
    auto* driveImages = new TImageList(this);
    driveImages->Name = "DriveInfoDriveImages";
    driveImages->SetShareImages(true);
    ListView5->SetSmallImages(driveImages);
    ListView5->OnClick = Bind(this, &TForm1::ListView5Click);
    ListView5->OnKeyUp = Bind(this, &TForm1::ListView5KeyUp);

    ListView4 = new TListView(this);
    ListView4->Name = "ListView4";
    ListView4->SetParent(page);
    ListView4->SetBounds(factsLeft, 32, page_parts::contentRight - factsLeft, page_parts::contentBottom - 32);
    ListView4->Columns()->Add()->SetWidth(170);
    ListView4->Columns()->Add()->SetWidth(80);
    ListView4->SetLastColumnFills(true);
    ListView4->SetRowSelect(true);
    auto* rowImages = new TImageList(this);
    rowImages->Name = "DriveInfoRowImages";
    // A group of rows shows the shell's drive, an ordinary row a sheet with its value, a
    // feature the system's information or stop sign for present or absent.
    rowImages->AddShellIcon(drive_pictures::shellHardDrive);
    HICON valueSheet = pictures::MainImage(pictures::registryValuePicture);
    rowImages->AddIcon(valueSheet);
    DestroyIcon(valueSheet);
    for (LPCSTR icon : {IDI_INFORMATION, IDI_HAND})
        rowImages->AddIcon(LoadIconA(nullptr, icon));
    ListView4->SetSmallImages(rowImages);

    Chart1 = new TChart(this);
    Chart1->Name = "Chart1";
    Chart1->SetParent(page);
    Chart1->SetBounds(left, 170, strip, 190);
    Chart1->SetStyle(TChartStyle::Pie);
}

void TForm1::FillDriveInformation()
{
    const char* heading = language::Text("Laufwerksinformationen", "Drive Information");
    DriveInfoTitle->SetCaption(heading);
    Chart1->SetTitle(heading);
    ListView5->SmallImages()->SetHandle(SystemImageList);
    ListView5->Items()->Clear();
    for (int i = 0; ListView1 && i < ListView1->Items()->Count(); ++i) {
        TListItem* location = ListView1->Items()->Item(i);
        const char letter = drivefacts::LetterOfCaption(location->Caption());
        if (location->Caption().find(')') == std::string::npos || !letter)
            continue;
        TListItem* row = ListView5->Items()->Add();
        row->SetCaption(location->Caption());
        row->SetImageIndex(location->ImageIndex());
        row->SetData(reinterpret_cast<void*>(static_cast<intptr_t>(letter)));
    }
    if (ListView5->Items()->Count() > 0) {
        ListView5->Items()->Item(0)->SetSelected(true);
        ListView5Click(nullptr);
    }
}

void TForm1::ListView5Click(TObject*)
{
    TListItem* selected = ListView5->Selected();
    if (!selected)
        return;
    const char letter = static_cast<char>(reinterpret_cast<intptr_t>(selected->Data()));
    DriveRootText = std::string(1, letter) + ":\\";
    const drivefacts::Facts facts = drivefacts::Read(DriveRootText);

    Chart1->Clear();
    if (facts.haveSpace) {
        Chart1->Add(static_cast<double>(facts.free), drivefacts::SpaceText(facts.free, language::German()), clRed);
        Chart1->Add(static_cast<double>(facts.total - facts.free),
                    drivefacts::SpaceText(facts.total - facts.free, language::German()), clBlue);
    }
    {
        const UpdateScope updating(*ListView4->Items());
        ListView4->Items()->Clear();
        for (const drivefacts::Row& fact : drivefacts::Rows(facts, language::German())) {
            TListItem* row = ListView4->Items()->Add();
            row->SetCaption(fact.caption);
            row->SetImageIndex(fact.image);
            row->SubItems()->Add(fact.value);
        }
    }
    FitFactColumns(*ListView4);
}

// After the key has moved the selection, so the page shows the drive now selected.
void TForm1::ListView5KeyUp(TObject* sender, WORD& key, TShiftState)
{
    if (key == VK_UP || key == VK_DOWN)
        ListView5Click(sender);
}
