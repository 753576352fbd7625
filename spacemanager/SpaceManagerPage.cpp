// The main window's space-manager page: one button that opens the space manager, which
// then takes the place of the main window until the program starts afresh.
#include "shell/Unit1.h"

#include "common/Language.h"
#include "pageparts/PageParts.h"
#include "spacemanager/Dirsize.h"
#include "toolkit/Button.h"
#include "toolkit/Place.h"

void TForm1::BuildSpaceManagerPage()
{
    TTabSheet* page = TabSheets[11];
    page_parts::MakePageTitle(this, page, "SpaceManagerTitle");
    auto* hint = Place<TLabel>(this, page, "SpaceManagerHint", 16, 40, 450, 32);
    hint->SetTransparent(true);
    hint->SetWordWrap(true);
    Button8 = Place<TButton>(this, page, "Button8", 16, 80, 160, 25);
    Button8->OnClick = Bind(this, &TForm1::Button8Click);
    CaptionSpaceManagerPage();
}

// Captioned again whenever the page is opened: it is built before the language is known.
void TForm1::CaptionSpaceManagerPage()
{
    if (auto* title = static_cast<TLabel*>(FindComponent("SpaceManagerTitle")))
        title->SetCaption(language::Text("Speicherplatz-Manager", "Space Manager"));
    if (auto* hint = static_cast<TLabel*>(FindComponent("SpaceManagerHint")))
        hint->SetCaption(language::Text("Zeigt, wie viel Platz Ordner und Dateien belegen.",
                                        "Shows how much space folders and files take."));
    Button8->SetCaption(language::Text("Starten", "Start"));
}

void TForm1::Button8Click(TObject*)
{
    // One space manager per start: a click while the first one fills its tree is one
    // too many as well.
    if (Form11)
        return;
    // Until it closes, a task due meanwhile waits and a close request waits for it.
    SpaceManagerOpen = std::make_unique<LongJob>(this);
    Form11 = new TForm11(this);
    Form11->ReadSettings();
    Form11->Show();
    Hide();
    Form11->BuildTree();
}
