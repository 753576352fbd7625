#include "shell/Frameupdate.h"

#include "common/Language.h"
#include "shell/FileSignature.h"
#include "toolkit/Effects.h"
#include "toolkit/Place.h"
#include "toolkit/SaveDialog.h"

#include <utility>

TFrame30* Frame30 = nullptr;

namespace {

TTabSheet* Page(TComponent* owner, TPageControl* pages, const char* name)
{
    auto* page = new TTabSheet(owner);
    page->Name = name;
    page->SetPageControl(pages);
    page->SetTabVisible(false);
    return page;
}

// The question before the downloaded program starts says what its signature shows: the
// download itself is not encrypted, so only a valid signature vouches for where it came from.
std::string InstallQuestion(const update::Signature& signature)
{
    using update::SignatureState;
    std::string said;
    switch (signature.state) {
    case SignatureState::Signed:
        said = signature.signer.empty()
                   ? std::string(language::Text("Die Datei ist signiert.", "The file is signed."))
                   : language::Text("Die Datei ist signiert von ", "The file is signed by ") + signature.signer + ".";
        break;
    case SignatureState::NotSigned:
        said = language::Text("Die Datei ist nicht signiert.", "The file is not signed.");
        break;
    case SignatureState::Invalid:
        said = language::Text("Die Signatur der Datei ist ungültig: die Datei kann verändert worden sein.",
                              "The file's signature is not valid: the file may have been altered.");
        break;
    case SignatureState::RevocationUnknown:
        said = (signature.signer.empty()
                    ? std::string(language::Text("Die Datei ist signiert", "The file is signed"))
                    : language::Text("Die Datei ist signiert von ", "The file is signed by ") + signature.signer) +
               language::Text(", doch ob ihr Zertifikat widerrufen wurde, ließ sich nicht prüfen: der Server "
                              "seines Ausstellers antwortete nicht.",
                              ", but whether its certificate has been revoked could not be checked: its issuer's "
                              "server did not answer.");
        break;
    case SignatureState::Unchecked:
        said = language::Text("Die Signatur der Datei konnte nicht geprüft werden.",
                              "The file's signature could not be checked.");
        break;
    }
    return language::Text("Download erfolgreich. ", "Download succeeded. ") + said +
           language::Text("\n\nUpdate jetzt installieren ?", "\n\nInstall Update now ?");
}

} // namespace

// Made each time the dialog opens, in the program's language.
TFrame30::TFrame30(TComponent* owner, UpdateActions actions) : TFrame(owner), actions_(std::move(actions))
{
    Name = "Frame30";
    SetBounds(0, 0, 462, 240);
    PageControl1 = Place<TPageControl>(this, this, "PageControl1", 0, 0, 462, 240);
    PageControl1->SetAlign(alClient);

    TabSheet1 = Page(this, PageControl1, "TabSheet1");
    Label9 = PlaceLabel(this, TabSheet1, "Label9", 12, 10, 430, 16, llTransparent);
    Label9->SetCaption(language::Text("Update herunterladen", "Download Update"));
    Label9->Font()->SetStyle(fsBold);
    Label9->Font()->SetColor(clNavy);
    Label1 = PlaceLabel(this, TabSheet1, "Label1", 12, 34, 430, 16, llTransparent);
    Label1->SetCaption(language::Text("Speichern", "Save"));
    Label6 = PlaceLabel(this, TabSheet1, "Label6", 12, 64, 90, 16, llTransparent);
    Label6->SetCaption(language::Text("Dateiname ", "Filename "));
    Label7 = PlaceLabel(this, TabSheet1, "Label7", 104, 64, 338, 16, llTransparent);
    Label8 = PlaceLabel(this, TabSheet1, "Label8", 12, 94, 430, 16, llTransparent);
    Label8->SetCaption(language::Text("Speichern unter", "Save as"));
    Label3 = PlaceLabel(this, TabSheet1, "Label3", 12, 122, 90, 16, llTransparent);
    Label3->SetCaption(language::Text("Speichern in", "Save to"));
    Edit1 = Place<TEdit>(this, TabSheet1, "Edit1", 104, 119, 300, 21);
    Button4 = Place<TButton>(this, TabSheet1, "Button4", 410, 118, 30, 23);
    Button4->SetCaption("...");
    Button4->OnClick = Bind(this, &TFrame30::Button4Click);
    Button3 = Place<TButton>(this, TabSheet1, "Button3", 268, 180, 84, 25);
    Button3->SetCaption(language::Text("Speichern", "Save"));
    Button3->SetDefault(true);
    Button3->OnClick = Bind(this, &TFrame30::Button3Click);
    Button1 = Place<TButton>(this, TabSheet1, "Button1", 358, 180, 84, 25);
    Button1->SetCaption(language::Text("Abbrechen", "Cancel"));
    Button1->OnClick = Bind(this, &TFrame30::Button1Click);

    TabSheet2 = Page(this, PageControl1, "TabSheet2");
    Animate1 = Place<TAnimate>(this, TabSheet2, "Animate1", 12, 8, 430, 48);
    Animate1->Open(ANIMATION_DOWNLOAD);
    Label2 = PlaceLabel(this, TabSheet2, "Label2", 12, 64, 430, 16, llTransparent);
    Label2->SetCaption("Name");
    Label4 = PlaceLabel(this, TabSheet2, "Label4", 12, 88, 430, 16, llTransparent);
    Label4->SetCaption(language::Text("Speichern ", "Save "));
    Label5 = PlaceLabel(this, TabSheet2, "Label5", 12, 118, 430, 16, llTransparent);
    Label5->SetCaption(language::Text("Heruntergeladen", "Downloaded"));
    CGauge1 = Place<TProgressBar>(this, TabSheet2, "CGauge1", 12, 142, 430, 20);
    CGauge1->SetMin(0);
    CGauge1->SetMax(100);
    Button2 = Place<TButton>(this, TabSheet2, "Button2", 358, 180, 84, 25);
    Button2->SetCaption(language::Text("Abbrechen", "Cancel"));
    Button2->OnClick = Bind(this, &TFrame30::Button2Click);

    PageControl1->SetActivePage(TabSheet1);
}

TFrame30::~TFrame30()
{
    if (Frame30 == this)
        Frame30 = nullptr;
}

// Closes this frame's own dialog, which need not be the current host dialog any more.
void TFrame30::CloseDialog()
{
    if (auto* dialog = dynamic_cast<TForm*>(Parent()))
        dialog->Close();
}

void TFrame30::Button1Click(TObject*) { CloseDialog(); }

// The download loop sees the flag after its next block and deletes what it has written.
void TFrame30::Button2Click(TObject*)
{
    actions_.cancel();
    Application->ProcessMessages();
    CloseDialog();
}

void TFrame30::Button4Click(TObject*)
{
    TSaveDialog dialog(this);
    dialog.DefaultExt = "exe";
    dialog.Filter = language::Text("Programme (*.exe)|*.EXE", "Applications (*.exe)|*.EXE");
    dialog.FileName = "TidewrackUpdate.exe";
    dialog.Options |= ofOverwritePrompt;
    if (dialog.Execute())
        Edit1->SetText(dialog.FileName);
}

void TFrame30::Button3Click(TObject*)
{
    // Nothing shown while this runs (the download's messages, the question) may free the
    // frame under it.
    const std::shared_ptr<void> inUse = actions_.holdDialog();
    const std::string target = Edit1->Text();
    PageControl1->SetActivePage(TabSheet2);
    Label2->SetCaption(actions_.fileName);
    Label4->SetCaption(target);
    Animate1->SetActive(true);
    const bool downloaded = actions_.download();
    Animate1->SetActive(false);
    if (!downloaded) {
        CloseDialog();
        return;
    }
    update::Signature signature;
    {
        HourGlass busy; // building the signer's chain may ask the network for certificates
        signature = update::CheckSignature(target);
    }
    // Without a valid signature an Enter does not start the program.
    const UINT defaultButton = signature.state == update::SignatureState::Signed ? MB_DEFBUTTON1 : MB_DEFBUTTON2;
    int answer = effects::ShowMessageBox(actions_.questionOwner, InstallQuestion(signature),
                                         language::Text("Frage", "Question"),
                                         MB_SYSTEMMODAL | MB_ICONQUESTION | MB_YESNO | defaultButton);
    // Once the new program has started this process ends; otherwise the dialog goes.
    if (answer != IDYES || !actions_.install(target))
        CloseDialog();
}

void TFrame30::ShowProgress(uint64_t bytes, const std::optional<uint64_t>& total, bool german)
{
    std::string text = language::Text(german, "Heruntergeladen ", "Downloaded ") + std::to_string(bytes / 1024) + " KB";
    if (total) {
        text += language::Text(german, " / ", " of ") + std::to_string(*total / 1024) + " KB";
        if (*total > 0)
            CGauge1->SetPosition(static_cast<int>(bytes * 100 / *total));
    }
    Label5->SetCaption(text);
}
