// The exclusion page: folders the scan leaves alone, as a check list; added through the
// folder dialog and removed by the link or the Delete key. Every change is saved at once:
// the list guards deletions, and a session that ends with the program in the tray never
// closes its window.
#include "shell/Unit1.h"

#include "common/Language.h"
#include "pageparts/PageParts.h"
#include "toolkit/Effects.h"

void TForm1::BuildExcludePage()
{
    TTabSheet* page = TabSheets[1];
    page_parts::MakePageTitle(this, page, "ExcludePageTitle");

    ListView3 = page_parts::MakeCheckList(this, page, "ListView3", 16, 40, 450, 236);
    ListView3->SetSmallImages(SidebarImages);
    ListView3->OnKeyDown = Bind(this, &TForm1::ListView3KeyDown);
    ListView3->OnItemChecked = [this](TListView*, TListItem*) { WriteRegExcludeDirs(); };

    PopupMenu3 = new TPopupMenu(this);
    PopupMenu3->Name = "PopupMenu3";
    AusnahmenHinzufgen1 =
        page_parts::MakeMenuEntry(PopupMenu3, "AusnahmenHinzufgen1", Bind(this, &TForm1::AusnahmenHinzufgen1Click));
    ListView3->SetPopupMenu(PopupMenu3);

    Label16 = page_parts::MakePageLink(this, page, "Label16", 16, 284, 120);
    Label16->OnClick = Bind(this, &TForm1::Label16Click);
    Label17 = page_parts::MakePageLink(this, page, "Label17", 160, 284, 120);
    Label17->OnClick = Bind(this, &TForm1::Label17Click);
}

void TForm1::Label16Click(TObject* sender)
{
    std::string path;
    BrowseDirectory(sender, path);
    if (!path.empty())
        AddExcludeDir(path);
}

void TForm1::AusnahmenHinzufgen1Click(TObject* sender) { Label16Click(sender); }

void TForm1::AddExcludeDir(const std::string& path)
{
    TListItem* row = ListView3->Items()->Add();
    row->SetCaption(path);
    row->SetImageIndex(5);
    row->SetChecked(true);
    WriteRegExcludeDirs();
}

// Only the row goes: the scan rebuilds its exclusion list from the rows.
void TForm1::Label17Click(TObject*)
{
    int row = page_parts::SelectedRow(ListView3);
    if (row < 0)
        return;
    if (effects::ShowMessageBox(Handle(), language::Text("Entfernen   ?", "Remove   ?"),
                                language::Text("Frage", "Question"), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    ListView3->Items()->Delete(row);
    WriteRegExcludeDirs();
}

void TForm1::ListView3KeyDown(TObject*, WORD& key, TShiftState)
{
    if (key == VK_DELETE)
        Label17Click(ListView3);
}
