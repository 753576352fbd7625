// The main window's space-manager page: one button that opens the space manager, which
// then takes the place of the main window until the program starts afresh.
#include "shell/Unit1.h"

#include "common/Language.h"
#include "common/OptionsKeys.h"
#include "pageparts/PageParts.h"
#include "spacemanager/Dirsize.h"
#include "toolkit/Button.h"
#include "toolkit/Place.h"

namespace {

// The space manager stands in for this form: it keeps its settings in the form's registry
// and hands back to it when it closes.
SpaceManagerHost HostOf(TForm1& form)
{
    namespace keys = options::dirSize;
    SpaceManagerHost host;
    host.readSetting = [&form](const char* name) { return form.ReadReg(rootCurrentUser, keys::Key, name, "s"); };
    host.writeSetting = [&form](const char* name, const std::string& value) {
        form.WriteReg(rootCurrentUser, keys::Key, name, value, "s");
    };
    host.programDir = form.ProgramDir;
    host.shredderOwner = &form;
    host.look = form.XPMenu1;
    host.backupDir = form.BackupDir;
    host.showProperties = &TForm1::EigenschaftenDialog;
    host.runLongJob = [&form](const std::function<void()>& job) {
        if (form.InLongJobBesidesSpaceManager())
            return;
        TForm1::LongJob running(&form);
        job();
    };
    host.closed = [&form](HWND window) {
        if (!form.StartAfresh(window))
            form.Show();
        form.SpaceManagerOpen.reset();
    };
    // The window is also destroyed with the form, its owner, after the form's members
    // are gone: a form being destroyed has let go of the window itself (its destructor
    // starts so), and only its component part, still alive then, is asked.
    const TComponent* owner = &form;
    host.gone = [&form, owner] {
        if (!owner->Destroying())
            form.SpaceManagerOpen.reset();
    };
    return host;
}

} // namespace

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
    // too many as well. It takes this window's place, so not while a long job of this
    // window runs.
    if (Form11 || InLongJob())
        return;
    // Until it closes, a task due meanwhile waits and a close request waits for it.
    SpaceManagerOpen = std::make_unique<LongJob>(this);
    Form11 = new TForm11(this, HostOf(*this));
    Form11->ReadSettings();
    Form11->Show();
    Hide();
    Form11->BuildTree();
}
