#include "system/Mrudata.h"

#include "common/Language.h"

TForm10* Form10 = nullptr;

TForm10::TForm10(TComponent* owner) : TForm(owner)
{
    Name = "Form10";
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetClientWidth(524);
    SetClientHeight(334);
    SetColor(clWhite);
    KeyPreview = true;

    ListView1 = new TListView(this);
    ListView1->Name = "ListView1";
    ListView1->SetParent(this);
    ListView1->SetBounds(8, 8, 508, 280);
    ListView1->SetViewStyle(vsReport);
    ListView1->SetHideSelection(false);
    for (const char* caption : {language::Text("Wertname", "Value name"), language::Text("Daten", "Data")}) {
        TListColumn* column = ListView1->Columns()->Add();
        column->SetCaption(caption);
        column->SetWidth(230);
    }

    Button1 = new TButton(this);
    Button1->Name = "Button1";
    Button1->SetParent(this);
    Button1->SetBounds(436, 298, 80, 25);
    Button1->SetCaption("OK");
    Button1->SetDefault(true);
    Button1->OnClick = Bind(this, &TForm10::Button1Click);

    OnKeyDown = Bind(this, &TForm10::FormKeyDown);
    OnClose = Bind(this, &TForm10::FormClose);
    Form10 = this;
}

TForm10::~TForm10()
{
    if (Form10 == this)
        Form10 = nullptr;
}

void TForm10::Button1Click(TObject*) { Close(); }

void TForm10::FormKeyDown(TObject*, WORD& key, TShiftState)
{
    if (key == VK_ESCAPE)
        Close();
}

void TForm10::FormClose(TObject*, TCloseAction& action) { action = caFree; }

void TForm10::AddValue(const std::string& name, const std::string& data)
{
    TListItem* item = ListView1->Items()->Add();
    item->SetCaption(name);
    item->SubItems()->Add(data);
}
