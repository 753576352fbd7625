#include "shell/Information.h"

#include "common/Language.h"
#include "pageparts/Pictures.h"
#include "common/ProductInfo.h"
#include "shell/Version.h"
#include "toolkit/Effects.h"
#include "toolkit/Place.h"

#include <cctype>
#include <cstdio>

TFrame5* Frame5 = nullptr;

namespace {

const int frameWidth = 366;
const int frameHeight = 243;

TLabel* Link(TComponent* owner, TWinControl* parent, const char* name, int left, int top, int width)
{
    TLabel* link = PlaceLabel(owner, parent, name, left, top, width, 16, llTransparent);
    link->Font()->SetColor(clBlue);
    link->Font()->SetStyle(fsUnderline);
    link->SetCursor(crHandPoint);
    return link;
}

// The face of the OK button: the word on the button colour.
HBITMAP OkButtonPicture(int width, int height)
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    RECT all{0, 0, width, height};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextA(dc, "OK", -1, &all, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteDC(dc);
    return bitmap;
}

// The program's own icon from its resources, drawn as large as the side panel is wide.
HICON ProgramPicture(int size)
{
    return static_cast<HICON>(
        LoadImageA(GetModuleHandleA(nullptr), "MAINICON", IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

} // namespace

TFrame5::TFrame5(TComponent* owner) : TFrame(owner)
{
    Name = "Frame5";
    SetBounds(0, 0, frameWidth, frameHeight);
    SetColor(clWhite);

    Image1 = Place<TImage>(this, this, "Image1", 0, 33, frameWidth, frameHeight - 33);
    Image1->SetStretch(true);
    Image1->Picture()->SetBitmap(pictures::GroupTitle(frameWidth, frameHeight - 33, false));

    Image4 = Place<TImage>(this, this, "Image4", 0, 0, frameWidth, 33);
    Image4->SetStretch(true);
    Image4->Picture()->SetBitmap(pictures::TitleBar(frameWidth, 33));
    Image4->OnMouseDown = Bind(this, &TFrame5::Image4MouseDown);
    Label10 = PlaceLabel(this, this, "Label10", 170, 9, 140, 16, llTransparent);
    Label10->Font()->SetColor(clWhite);
    Label10->Font()->SetStyle(fsBold);
    Label10->OnMouseDown = Bind(this, &TFrame5::Image4MouseDown); // the heading drags too
    // The box is 350 pixels wide; the close button sits at its right edge.
    Image6 = Place<TImage>(this, this, "Image6", 350 - 27, 6, 21, 21);
    Image6->SetCenter(true);
    Image6->Picture()->SetIcon(pictures::TitleButtonIcon(pictures::TitleButton::Close));
    Image6->OnClick = Bind(this, &TFrame5::Image6Click);
    Image6->OnMouseMove = Bind(this, &TFrame5::Image6MouseMove);

    Panel1 = Place<TPanel>(this, this, "Panel1", 10, 44, 66, 150);
    Panel1->SetBevelOuter(bvLowered);
    Panel1->SetColor(clWhite);
    Image3 = Place<TImage>(this, Panel1, "Image3", 1, 1, 64, 148);
    Image3->SetCenter(true);
    Image3->Picture()->SetIcon(ProgramPicture(Image3->Width()));

    Label1 = PlaceLabel(this, this, "Label1", 86, 42, 250, 16, llTransparent);
    Label1->SetHeight(24);
    Label1->Font()->SetSize(14);
    Label1->Font()->SetStyle(fsBold);
    Label1->Font()->SetColor(clNavy);
    Label1->SetCaption("Tidewrack");
    Label2 = PlaceLabel(this, this, "Label2", 86, 68, 250, 16, llTransparent);
    Label6 = PlaceLabel(this, this, "Label6", 86, 86, 250, 16, llTransparent);
    Label11 = PlaceLabel(this, this, "Label11", 86, 110, 254, 16, llTransparent);
    Label11->SetHeight(39); // three lines: the system's name can be long
    Label11->SetWordWrap(true);
    Label8 = PlaceLabel(this, this, "Label8", 86, 150, 254, 16, llTransparent);

    Label4 = Link(this, this, "Label4", 86, 168, 200);
    Label4->SetCaption(product::MailAddress);
    Label4->OnClick = Bind(this, &TFrame5::Label4Click);
    Label5 = Link(this, this, "Label5", 86, 186, 200);
    Label5->SetCaption(product::WebSite);
    Label5->OnClick = Bind(this, &TFrame5::Label5Click);

    Image7 = Place<TImage>(this, this, "Image7", 10, 214, 16, 16);
    Image7->Picture()->SetIcon(pictures::TitleButtonIcon(pictures::TitleButton::Help));
    Label7 = Link(this, this, "Label7", 30, 214, 200);
    Label7->OnClick = Bind(this, &TFrame5::Label7Click);
    Label7->OnMouseMove = Bind(this, &TFrame5::Label7MouseMove);

    Panel5 = Place<TPanel>(this, this, "Panel5", 260, 208, 78, 28);
    Panel5->SetBevelOuter(bvRaised);
    Image102 = Place<TImage>(this, Panel5, "Image102", 2, 2, 74, 24);
    Image102->Picture()->SetBitmap(OkButtonPicture(74, 24));
    Image102->SetCursor(crHandPoint);
    Image102->OnClick = Bind(this, &TFrame5::Image102Click);
    Image102->OnMouseDown = Bind(this, &TFrame5::Image102MouseDown);
    Image102->OnMouseUp = Bind(this, &TFrame5::Image102MouseUp);

    SetTexts();
}

TFrame5::~TFrame5()
{
    if (Frame5 == this)
        Frame5 = nullptr;
}

void TFrame5::SetTexts()
{
    Label10->SetCaption(language::Text("Über Tidewrack", "About Tidewrack"));
    Label2->SetCaption(std::string("Version ") + TIDEWRACK_VERSION_TEXT);
    Label6->SetCaption(language::Text("für Windows9x/2000/NT/ME/XP  ", "Windows9x/2000/NT/ME/XP  "));
    Label7->SetCaption(language::Text("Wie kann ich Tidewrack unterstützen?", "How can I support Tidewrack?"));
}

void TFrame5::CloseBox()
{
    if (TForm* box = GetParentForm(this))
        box->Close();
}

void TFrame5::Image102Click(TObject*) { CloseBox(); }

void TFrame5::Image6Click(TObject*) { CloseBox(); }

// The picture has no pressed look of its own: its panel's edge gives it one.
void TFrame5::Image102MouseDown(TObject*, TMouseButton, TShiftState, int, int)
{
    Panel5->SetBevelOuter(bvLowered);
    Application->ProcessMessages();
}

void TFrame5::Image102MouseUp(TObject*, TMouseButton, TShiftState, int, int)
{
    Panel5->SetBevelOuter(bvRaised);
    Application->ProcessMessages();
}

// The box has no caption: a press on its top bar hands over to the system's move loop.
void TFrame5::Image4MouseDown(TObject*, TMouseButton button, TShiftState, int, int)
{
    if (button != mbLeft)
        return;
    TForm* box = GetParentForm(this);
    if (!box)
        return;
    ReleaseCapture();
    SendMessageA(box->Handle(), WM_SYSCOMMAND, 0xF012, 0);
}

void TFrame5::OpenLink(const std::string& link)
{
    try {
        effects::ShellOpen(Application->Handle(), "open", link, "", "", SW_SHOWNORMAL);
    } catch (...) {
    }
}

void TFrame5::Label4Click(TObject*) { OpenLink(std::string("mailto:") + product::MailAddress); }

void TFrame5::Label5Click(TObject*) { OpenLink(product::WebSiteUrl); }

void TFrame5::Label7Click(TObject*)
{
    int answer = effects::ShowMessageBox(
        Handle(),
        language::Text(
            "Möchten Sie dem Tidewrack-Team schreiben und erfahren, wie Sie das Projekt unterstützen können?",
            "Would you like to write to the Tidewrack team and learn how you can support the project?"),
        language::Text("Frage", "Question"), MB_SYSTEMMODAL | MB_ICONINFORMATION | MB_YESNO);
    if (answer != IDYES)
        return;
    OpenLink(about::MailtoLink(product::SupportAddress,
                               language::Text("Tidewrack unterstützen", "Supporting Tidewrack"),
                               language::Text("Wie kann ich Tidewrack unterstützen?", "How can I support Tidewrack?")));
}

void TFrame5::Label7MouseMove(TObject*, TShiftState, int, int) { Label7->SetCursor(crHandPoint); }

void TFrame5::Image6MouseMove(TObject*, TShiftState, int, int) { Image6->SetCursor(crHandPoint); }

namespace about {

std::string MailtoLink(const std::string& address, const std::string& subject, const std::string& body)
{
    auto encoded = [](const std::string& text) {
        std::string out;
        for (unsigned char c : text) {
            if (std::isalnum(c) && c < 0x80) {
                out += static_cast<char>(c);
            } else if (c == '-' || c == '.' || c == '_' || c == '~') {
                out += static_cast<char>(c);
            } else {
                char hex[4];
                std::snprintf(hex, sizeof hex, "%%%02X", c);
                out += hex;
            }
        }
        return out;
    };
    return "mailto:" + address + "?subject=" + encoded(subject) + "&body=" + encoded(body);
}

} // namespace about
