// The mask page: the file-ending masks as a check list, added through the add-ending
// dialog and removed by the link, the popup or the Delete key. Every change is saved at
// once, like the exclusion folders.
#include "shell/Unit1.h"

#include "cleaning/Fileending.h"
#include "fileengines/ScanRecords.h"
#include "common/Language.h"
#include "pageparts/HostDialog.h"
#include "pageparts/PageParts.h"
#include "toolkit/Effects.h"

void TForm1::BuildMaskPage()
{
    TTabSheet* page = TabSheets[9];
    page_parts::MakePageTitle(this, page, "MaskPageTitle");

    ListView2 = page_parts::MakeCheckList(this, page, "ListView2", 16, 40, 450, 236);
    ListView2->SetSmallImages(SidebarImages);
    ListView2->OnKeyDown = Bind(this, &TForm1::ListView2KeyDown);
    ListView2->OnItemChecked = [this](TListView*, TListItem*) { WriteFileEnding(); };

    PopupMenu2 = new TPopupMenu(this);
    PopupMenu2->Name = "PopupMenu2";
    Alleauswhlen1 = page_parts::MakeMenuEntry(PopupMenu2, "Alleauswhlen1", Bind(this, &TForm1::Alleauswhlen1Click));
    Auswahlumkehren1 =
        page_parts::MakeMenuEntry(PopupMenu2, "Auswahlumkehren1", Bind(this, &TForm1::Auswahlumkehren1Click));
    ListView2->SetPopupMenu(PopupMenu2);

    Label19 = page_parts::MakePageLink(this, page, "Label19", 16, 284, 120);
    Label19->OnClick = Bind(this, &TForm1::Label19Click);
    Label18 = page_parts::MakePageLink(this, page, "Label18", 160, 284, 120);
    Label18->OnClick = Bind(this, &TForm1::Label18Click);
}

void TForm1::Label19Click(TObject*)
{
    MakeHostDialog(HostDialog::AddFileEnding);
    Frame3 = MakeHostFrame<TFrame3>(HostPanel);
    XPMenu1->InitComponent(Frame3);
    Frame3->SetTexts();
    Frame3->OnAddMask = [this](const std::string& mask) {
        TListItem* row = ListView2->Items()->Add();
        row->SetCaption(mask);
        row->SetImageIndex(0);
        row->SetChecked(true);
        GetActualDelFileEndings();
        WriteFileEnding();
    };
    ShowHostDialog(HostDialog::AddFileEnding);
    Frame3->Edit1->SetFocus();
}

void TForm1::Label18Click(TObject*)
{
    int row = page_parts::SelectedRow(ListView2);
    if (row < 0)
        return;
    if (effects::ShowMessageBox(Handle(), language::Text("Entfernen  ?", "Remove  ?"),
                                language::Text("Frage", "Question"), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    if (row < FileEndingList->Count())
        FileEndingList->Delete(row);
    ListView2->Items()->Delete(row);
    WriteFileEnding();
}

void TForm1::ListView2KeyDown(TObject*, WORD& key, TShiftState)
{
    if (key == VK_DELETE)
        Label18Click(ListView2);
}

void TForm1::Alleauswhlen1Click(TObject*)
{
    for (int row = 0; row < ListView2->Items()->Count(); ++row)
        ListView2->Items()->Item(row)->SetChecked(true);
    WriteFileEnding();
}

void TForm1::Auswahlumkehren1Click(TObject*)
{
    for (int row = 0; row < ListView2->Items()->Count(); ++row) {
        TListItem* item = ListView2->Items()->Item(row);
        item->SetChecked(!item->Checked());
    }
    WriteFileEnding();
}
