#include "toolkit/Memo.h"

// --- TMemoLines ------------------------------------------------------------------------

TStringList TMemoLines::Lines() const
{
    TStringList lines;
    lines.SetText(memo_->Text());
    return lines;
}

int TMemoLines::Count() const
{
    return Lines().Count();
}

std::string TMemoLines::Strings(int index) const
{
    return Lines().Strings(index);
}

std::string TMemoLines::Text() const
{
    return Lines().Text();
}

void TMemoLines::SetText(const std::string& text)
{
    memo_->SetText(text);
}

void TMemoLines::Clear()
{
    memo_->SetText("");
}

bool TMemoLines::SaveToFile(const std::string& path) const
{
    return Lines().SaveToFile(path);
}

void TMemoLines::Add(const std::string& line)
{
    HWND edit = memo_->Handle();
    // Only the end of the text is looked at and written, so that a long log grows cheaply.
    int length = GetWindowTextLengthA(edit);
    int lastLine = static_cast<int>(SendMessageA(edit, EM_GETLINECOUNT, 0, 0)) - 1;
    int lastStart = static_cast<int>(SendMessageA(edit, EM_LINEINDEX, lastLine, 0));
    bool openLine = SendMessageA(edit, EM_LINELENGTH, lastStart, 0) > 0;
    std::string added = (openLine ? "\r\n" : "") + line + "\r\n";
    SendMessageA(edit, EM_SETSEL, length, length);
    SendMessageA(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(added.c_str()));
    SendMessageA(edit, EM_SCROLLCARET, 0, 0);
}

// --- TMemo -----------------------------------------------------------------------------

TMemo::TMemo(TComponent* owner)
    : TEdit(owner, ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | ES_NOHIDESEL)
{
    SetBounds(0, 0, 185, 89);
}

void TMemo::SetScrollBars(TScrollStyle scrollBars)
{
    if (scrollBars == scrollBars_) return;
    scrollBars_ = scrollBars;
    Remake();
}

void TMemo::SetWordWrap(bool wordWrap)
{
    if (wordWrap == wordWrap_) return;
    wordWrap_ = wordWrap;
    Remake();
}

void TMemo::Remake()
{
    DWORD style = GetWindowLongA(Handle(), GWL_STYLE) & ~(ES_AUTOHSCROLL | WS_HSCROLL | WS_VSCROLL);
    if (!wordWrap_) style |= ES_AUTOHSCROLL;
    if ((scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) && !wordWrap_) style |= WS_HSCROLL;
    if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) style |= WS_VSCROLL;
    std::string text = Text();
    RecreateHandle(style, GetWindowLongA(Handle(), GWL_EXSTYLE));
    SetMaxLength(MaxLength());
    // The text is the same as before: no change to report.
    TNotifyEvent change = std::move(OnChange);
    SetText(text);
    OnChange = std::move(change);
}
