#include "cleaning/Shutdownwarning.h"

#include "common/Language.h"

TFrame12* Frame12 = nullptr;

TFrame12::TFrame12(TComponent* owner) : TFrame(owner)
{
    Name = "Frame12";
    SetBounds(0, 0, 322, 100);
    auto label = [this](const char* name, int top, bool bold) {
        auto* made = new TLabel(this);
        made->Name = name;
        made->SetParent(this);
        made->SetTransparent(true);
        made->SetBounds(56, top, 250, 16);
        if (bold)
            made->Font()->SetStyle(fsBold);
        return made;
    };
    Label1 = label("Label1", 8, true);
    Label1->SetCaption(language::Text("Warnung", "Warning"));
    Label2 = label("Label2", 28, false);
    Label3 = label("Label3", 46, false);
    Image1 = new TImage(this);
    Image1->Name = "Image1";
    Image1->SetParent(this);
    Image1->SetBounds(12, 12, 32, 32);
    // The system's own warning sign, as a message box about a shutdown would show it.
    Image1->Picture()->SetIcon(CopyIcon(LoadIconA(nullptr, IDI_WARNING)));
    auto button = [this](const char* name, const char* caption, int left) {
        auto* made = new TButton(this);
        made->Name = name;
        made->SetParent(this);
        made->SetBounds(left, 68, 80, 25);
        made->SetCaption(caption);
        return made;
    };
    Button1 = button("Button1", "OK", 70);
    Button1->OnClick = Bind(this, &TFrame12::Button1Click);
    Button2 = button("Button2", language::Text("Abbrechen", "Cancel"), 170);
    Button2->SetCancel(true);
    Button2->OnClick = Bind(this, &TFrame12::Button2Click);
}

TFrame12::~TFrame12()
{
    if (Frame12 == this)
        Frame12 = nullptr;
}

void TFrame12::Button1Click(TObject*)
{
    if (TForm* window = GetParentForm(this))
        window->Close();
}

void TFrame12::Button2Click(TObject*)
{
    if (OnCancelCountdown)
        OnCancelCountdown();
    if (TForm* window = GetParentForm(this))
        window->Close();
}
