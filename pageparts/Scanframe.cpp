#include "pageparts/Scanframe.h"

TFrame2* Frame2 = nullptr;

TFrame2::TFrame2(TComponent* owner) : TFrame(owner)
{
    Name = "Frame2";
    SetBounds(0, 0, 322, 116);

    Label1 = new TLabel(this);
    Label1->Name = "Label1";
    Label1->SetParent(this);
    Label1->SetAutoSize(false);
    Label1->SetTransparent(true);
    Label1->SetBounds(12, 12, 296, 16);

    ProgressBar1 = new TProgressBar(this);
    ProgressBar1->Name = "ProgressBar1";
    ProgressBar1->SetParent(this);
    ProgressBar1->SetBounds(12, 36, 296, 18);
    ProgressBar1->SetMin(0);
    ProgressBar1->SetMax(100);

    Button1 = new TButton(this);
    Button1->Name = "Button1";
    Button1->SetParent(this);
    Button1->SetBounds(120, 66, 80, 25);
    Button1->SetCaption("Abbrechen");
    Button1->SetCancel(true);
    Button1->OnClick = Bind(this, &TFrame2::Button1Click);

    Memo1 = new TMemo(this);
    Memo1->Name = "Memo1";
    Memo1->SetParent(this);
    Memo1->SetBounds(12, 66, 90, 25);
    Memo1->Hide();
}

TFrame2::~TFrame2()
{
    if (Frame2 == this)
        Frame2 = nullptr;
}

void TFrame2::Button1Click(TObject*)
{
    if (OnCancel)
        OnCancel();
    Application->ProcessMessages();
}
