#include "system/Zusammenfassungchkdsk.h"

#include "common/Language.h"

TForm14* Form14 = nullptr;

TForm14::TForm14(TComponent* owner) : TForm(owner)
{
    Name = "Form14";
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
    SetClientWidth(460);
    SetClientHeight(300);
    SetCaption(language::Text("Statusbericht", "Status Report"));

    Memo1 = new TMemo(this);
    Memo1->Name = "Memo1";
    Memo1->SetParent(this);
    Memo1->SetBounds(8, 8, 444, 248);
    Memo1->SetReadOnly(true);
    Memo1->SetWordWrap(false);
    Memo1->SetScrollBars(ssBoth);

    Button1 = new TButton(this);
    Button1->Name = "Button1";
    Button1->SetParent(this);
    Button1->SetCaption("OK");
    Button1->SetBounds(372, 266, 80, 25);
    Button1->SetDefault(true);
    Button1->SetCancel(true);
    Button1->OnClick = [this](TObject*) { Close(); };

    OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
    Form14 = this;
}

TForm14::~TForm14()
{
    if (Form14 == this)
        Form14 = nullptr;
}
