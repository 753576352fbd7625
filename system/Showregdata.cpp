#include "system/Showregdata.h"

#include "common/Language.h"
#include "toolkit/OpenDialog.h"
#include "toolkit/Place.h"

TForm12* Form12 = nullptr;

TForm12::TForm12(TComponent* owner, std::function<bool(TForm12& dialog)> writeEntry)
    : TForm(owner), writeEntry_(std::move(writeEntry))
{
    Name = "Form12";
    SetBorderStyle(bsDialog);
    SetPosition(poMainFormCenter);
    SetClientWidth(430);
    SetClientHeight(190);
    SetCaption(language::Text("Eigenschaften", "Properties"));

    Image1 = new TImage(this);
    Image1->Name = "Image1";
    Image1->SetParent(this);
    Image1->SetBounds(12, 12, 32, 32);
    Label3 = PlaceLabel(this, this, "Label3", 60, 8, 300, 16);
    Label3->SetCaption(language::Text("Titel", "Title"));
    Edit1 = Place<TEdit>(this, this, "Edit1", 60, 26, 360, 21);
    Label2 = PlaceLabel(this, this, "Label2", 60, 52, 300, 16);
    Label2->SetCaption(language::Text("Ziel", "Destination"));
    Edit3 = Place<TEdit>(this, this, "Edit3", 60, 70, 360, 21);
    Edit3->SetReadOnly(true);
    Label1 = PlaceLabel(this, this, "Label1", 60, 96, 300, 16);
    Label1->SetCaption(language::Text("Datei", "File"));
    Edit2 = Place<TEdit>(this, this, "Edit2", 60, 114, 326, 21);
    Button3 = Place<TButton>(this, this, "Button3", 392, 112, 28, 25);
    Button3->SetCaption("...");
    Button3->OnClick = Bind(this, &TForm12::Button3Click);
    Button1 = Place<TButton>(this, this, "Button1", 260, 152, 75, 25);
    Button1->SetCaption("OK");
    Button1->SetDefault(true);
    Button1->OnClick = Bind(this, &TForm12::Button1Click);
    Button2 = Place<TButton>(this, this, "Button2", 345, 152, 75, 25);
    Button2->SetCaption(language::Text("Abbrechen", "Cancel"));
    Button2->SetCancel(true);
    Button2->OnClick = [this](TObject*) { Close(); };

    OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
    Form12 = this;
}

TForm12::~TForm12()
{
    if (Form12 == this)
        Form12 = nullptr;
}

void TForm12::Button1Click(TObject*)
{
    if (writeEntry_(*this))
        Close();
}

void TForm12::Button3Click(TObject*)
{
    TOpenDialog dialog(nullptr);
    dialog.Title = language::Text("Öffnen", "Open");
    dialog.Options = ofHideReadOnly;
    if (dialog.Execute())
        Edit2->SetText(dialog.FileName);
}
