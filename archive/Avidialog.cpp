#include "archive/Avidialog.h"

#include "common/Language.h"
#include "toolkit/PathText.h"

TForm9* Form9 = nullptr;

TForm9::TForm9(TComponent* owner) : TForm(owner)
{
    Name = "Form9";
    SetBorderStyle(bsDialog);
    SetBorderIcons(0);
    SetFormStyle(fsStayOnTop);
    SetPosition(poScreenCenter);
    SetClientWidth(420);
    SetClientHeight(150);

    Label1 = new TLabel(this);
    Label1->Name = "Label1";
    Label1->SetParent(this);
    Label1->SetAutoSize(false);
    Label1->SetBounds(10, 10, 400, 16);

    Animate1 = new TAnimate(this);
    Animate1->Name = "Animate1";
    Animate1->SetParent(this);
    Animate1->SetBounds(10, 28, 400, 48);
    Animate1->Open(ANIMATION_COPY_FILES);

    Panel1 = new TPanel(this);
    Panel1->Name = "Panel1";
    Panel1->SetParent(this);
    Panel1->SetBounds(10, 32, 400, 40);
    Panel1->Hide();

    Memo1 = new TMemo(this);
    Memo1->Name = "Memo1";
    Memo1->SetParent(this);
    Memo1->SetBounds(10, 80, 400, 22);
    Memo1->SetReadOnly(true);
    Memo1->SetWordWrap(false);

    Button1 = new TButton(this);
    Button1->Name = "Button1";
    Button1->SetParent(this);
    Button1->SetBounds(330, 114, 80, 25);
    Button1->SetCancel(true);
    Button1->OnClick = Bind(this, &TForm9::Button1Click);

    OnClose = Bind(this, &TForm9::FormClose);
    Form9 = this;
}

TForm9::~TForm9()
{
    if (Form9 == this)
        Form9 = nullptr;
}

void TForm9::ShowPacking()
{
    const char* title = language::Text("Dateien werden dem Zip-Archiv hinzugefügt", "Adding files to Zip Archive");
    Button1->SetCaption(language::Text("Abbrechen", "Cancel"));
    SetCaption(title);
    Label1->SetCaption(title);
    Animate1->SetActive(true);
    Show();
    Application->ProcessMessages();
}

void TForm9::Button1Click(TObject*)
{
    if (OnCancel)
        OnCancel();
    Application->ProcessMessages();
}

void TForm9::FormClose(TObject*, TCloseAction& action) { action = caFree; }

std::string TForm9::MinimizeName(const std::string& path) { return CompactPathFor(Memo1, path); }

void TForm9::ShowFile(const std::string& path)
{
    Memo1->SetText(path);
    Memo1->SetText(MinimizeName(path));
}
