#include "cleaning/Cookiesdia.h"

#include "cleaning/UrlCache.h"
#include "common/Language.h"
#include "toolkit/Place.h"

namespace {

// Moves the selected rows of one list to the end of the other, keeping their order.
void MoveSelected(TListView* from, TListView* to)
{
    std::vector<std::string> moved;
    for (int row = from->Items()->Count() - 1; row >= 0; --row) {
        TListItem* item = from->Items()->Item(row);
        if (!item->Selected())
            continue;
        moved.insert(moved.begin(), item->Caption());
        from->Items()->Delete(row);
    }
    for (const std::string& name : moved)
        to->Items()->Add()->SetCaption(name);
}

} // namespace

TForm7::TForm7(TComponent* owner) : TForm(owner)
{
    Name = "Form7";
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetClientWidth(560);
    SetClientHeight(340);
    SetCaption(language::Text("Cookies nicht löschen", "Do not delete Cookies"));
    KeyPreview = true;
    Label1 = new TLabel(this);
    Label1->SetParent(this);
    Label1->SetBounds(10, 10, 220, 16);
    Label1->SetCaption(language::Text("Cookies löschen", "Delete Cookies"));
    Label2 = new TLabel(this);
    Label2->SetParent(this);
    Label2->SetBounds(330, 10, 220, 16);
    Label2->SetCaption(language::Text("Cookies nicht löschen", "Do not delete Cookies"));
    ListView1 = Place<TListView>(this, this, "ListView1", 10, 32, 220, 260);
    ListView2 = Place<TListView>(this, this, "ListView2", 330, 32, 220, 260);
    // Rows go from one list to the other by dragging, several at once.
    for (TListView* list : {ListView1, ListView2}) {
        list->SetViewStyle(vsReport);
        list->Columns()->Add()->SetWidth(196);
        list->SetMultiSelect(true);
        list->SetDragMode(dmAutomatic);
    }
    Button1 = Place<TButton>(this, this, "Button1", 250, 110, 60, 25);
    Button1->SetCaption(">>");
    Button2 = Place<TButton>(this, this, "Button2", 250, 150, 60, 25);
    Button2->SetCaption("<<");
    Button3 = Place<TButton>(this, this, "Button3", 400, 302, 60, 25);
    Button3->SetCaption("OK");
    Button4 = Place<TButton>(this, this, "Button4", 480, 302, 60, 25);
    Button4->SetCaption(language::Text("Abbrechen", "Cancel"));
    Button1->OnClick = Bind(this, &TForm7::Button1Click);
    Button2->OnClick = Bind(this, &TForm7::Button2Click);
    Button3->OnClick = Bind(this, &TForm7::Button3Click);
    Button4->OnClick = Bind(this, &TForm7::Button4Click);
    ListView1->OnDblClick = Bind(this, &TForm7::Button1Click);
    ListView1->OnDragOver = Bind(this, &TForm7::ListView1DragOver);
    ListView1->OnDragDrop = Bind(this, &TForm7::ListView1DragDrop);
    ListView2->OnDragOver = Bind(this, &TForm7::ListView2DragOver);
    ListView2->OnDragDrop = Bind(this, &TForm7::ListView2DragDrop);
    OnKeyDown = Bind(this, &TForm7::FormKeyDown);
}

std::vector<std::string> TForm7::Names(TListView* list)
{
    std::vector<std::string> names;
    for (int row = 0; row < list->Items()->Count(); ++row)
        names.push_back(list->Items()->Item(row)->Caption());
    return names;
}

void TForm7::Fill(const std::vector<std::string>& kept, const std::vector<std::string>& cookies)
{
    ListView2->Items()->Clear();
    for (const std::string& name : kept)
        ListView2->Items()->Add()->SetCaption(name);
    ListView1->Items()->Clear();
    for (const std::string& name : cookies)
        if (url_cache::MayDeleteCookie(kept, name))
            ListView1->Items()->Add()->SetCaption(name);
}

void TForm7::Button1Click(TObject*) { MoveSelected(ListView1, ListView2); }

void TForm7::Button2Click(TObject*) { MoveSelected(ListView2, ListView1); }

void TForm7::ListView1DragOver(TObject*, TObject* source, int, int, TDragState, bool& accept)
{
    accept = source == ListView2;
}

void TForm7::ListView1DragDrop(TObject*, TObject* source, int, int)
{
    if (source == ListView2)
        Button2Click(nullptr);
}

void TForm7::ListView2DragOver(TObject*, TObject* source, int, int, TDragState, bool& accept)
{
    accept = source == ListView1;
}

void TForm7::ListView2DragDrop(TObject*, TObject* source, int, int)
{
    if (source == ListView1)
        Button1Click(nullptr);
}

void TForm7::Button3Click(TObject*)
{
    Accepted = true;
    AcceptedKeepList = Names(ListView2);
    ModalResult = mrOk;
    Close();
}

void TForm7::Button4Click(TObject*)
{
    ModalResult = mrCancel;
    Close();
}

void TForm7::FormKeyDown(TObject*, WORD& key, TShiftState)
{
    if (key == VK_ESCAPE)
        Button4Click(nullptr);
}
