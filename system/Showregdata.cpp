#include "system/Showregdata.h"

#include "common/Language.h"
#include "toolkit/OpenDialog.h"

TForm12* Form12 = nullptr;

namespace {

TLabel* MakeLabel(TForm12* form, const char* name, const char* caption, int top)
{
    auto* label = new TLabel(form);
    label->Name = name;
    label->SetParent(form);
    label->SetCaption(caption);
    label->SetBounds(60, top, 300, 16);
    return label;
}

TEdit* MakeEdit(TForm12* form, const char* name, int top, int width)
{
    auto* edit = new TEdit(form);
    edit->Name = name;
    edit->SetParent(form);
    edit->SetBounds(60, top, width, 21);
    return edit;
}

TButton* MakeButton(TForm12* form, const char* name, const char* caption, int left, int top, int width)
{
    auto* button = new TButton(form);
    button->Name = name;
    button->SetParent(form);
    button->SetCaption(caption);
    button->SetBounds(left, top, width, 25);
    return button;
}

} // namespace

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
    Label3 = MakeLabel(this, "Label3", language::Text("Titel", "Title"), 8);
    Edit1 = MakeEdit(this, "Edit1", 26, 360);
    Label2 = MakeLabel(this, "Label2", language::Text("Ziel", "Destination"), 52);
    Edit3 = MakeEdit(this, "Edit3", 70, 360);
    Edit3->SetReadOnly(true);
    Label1 = MakeLabel(this, "Label1", language::Text("Datei", "File"), 96);
    Edit2 = MakeEdit(this, "Edit2", 114, 326);
    Button3 = MakeButton(this, "Button3", "...", 392, 112, 28);
    Button3->OnClick = Bind(this, &TForm12::Button3Click);
    Button1 = MakeButton(this, "Button1", "OK", 260, 152, 75);
    Button1->SetDefault(true);
    Button1->OnClick = Bind(this, &TForm12::Button1Click);
    Button2 = MakeButton(this, "Button2", language::Text("Abbrechen", "Cancel"), 345, 152, 75);
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
