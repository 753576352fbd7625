#include "spacemanager/Tabframe.h"

#include "common/Language.h"
#include "spacemanager/Dirsize.h"
#include "toolkit/Effects.h"
#include "toolkit/Place.h"
#include "toolkit/SaveDialog.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

struct FileCloser {
    void operator()(FILE* file) const { fclose(file); }
};

} // namespace

TFrame6::TFrame6(TComponent* owner, TForm11* window) : TFrame(owner), window_(window)
{
    Name = "Frame6";
    UnitLabel = Place<TLabel>(this, this, "UnitLabel", 0, 0, 100, 18);
    UnitLabel->SetAlign(alBottom);
    UnitLabel->SetAlignment(taCenter);
    ScrollBox1 = Place<TScrollBox>(this, this, "ScrollBox1", 0, 0, 300, 200);
    DBChart1 = Place<TSizeChart>(this, ScrollBox1->Content(), "DBChart1", 0, 0, 300, 200);
    DBChart1->SetStyle(TChartStyle::HorizontalBars);
    PopupMenu1 = new TPopupMenu(this);
    ScrrenShot1 = new TMenuItem(this);
    Texts.MenuCaption(ScrrenShot1, "Als Bitmap speichern...", "Save as Bitmap...");
    ScrrenShot1->OnClick = Bind(this, &TFrame6::ScrrenShot1Click);
    PopupMenu1->Items()->Add(ScrrenShot1);
    Kopieren1 = new TMenuItem(this);
    Texts.MenuCaption(Kopieren1, "Kopieren...", "Copy...");
    Kopieren1->OnClick = Bind(this, &TFrame6::Kopieren1Click);
    PopupMenu1->Items()->Add(Kopieren1);
    DBChart1->SetPopupMenu(PopupMenu1);
    OnResize = Bind(this, &TFrame6::FrameResize);
}

void TFrame6::BuildToolBar(TPanel* bar, const std::function<void()>& hideBar)
{
    Hints = new TToolTip(this);
    struct Design {
        TSpeedButton** button;
        const char* name;
        const char* german;
        const char* english;
        const char* germanHint;
        const char* englishHint;
        std::function<void()> action;
    };
    const Design designs[] = {
        {&SpeedButton2, "SpeedButton2", "Legende", "Legend", "Legende ein- oder ausblenden", "Show or Hide Legend",
         [this] { DBChart1->SetLegendVisible(!DBChart1->LegendVisible()); }},
        {&SpeedButton3, "SpeedButton3", "Zoom +", "Zoom +", "Vergrößern", "Zoom In",
         [this] { DBChart1->SetZoom(ChartZoomIn(DBChart1->Zoom())); }},
        {&SpeedButton4, "SpeedButton4", "Zoom -", "Zoom -", "Verkleinern", "Zoom Out",
         [this] { DBChart1->SetZoom(ChartZoomOut(DBChart1->Zoom())); }},
        {&SpeedButton7, "SpeedButton7", "3D", "3D", "Diagramm in 3D oder 2D anzeigen", "View Chart as 3D or 2D",
         [this] { DBChart1->SetView3D(!DBChart1->View3D()); }},
        {&SpeedButton8, "SpeedButton8", "Balken", "Bars", "Balkendiagramm", "Bar Chart", [this] { SetPie(false); }},
        {&SpeedButton9, "SpeedButton9", "Kreis", "Pie", "Kreisdiagramm", "Pie Chart", [this] { SetPie(true); }},
        {&SpeedButton10, "SpeedButton10", "Drucken", "Print", "Diagramm drucken", "Print Chart",
         [this] { PrintChart(); }},
        {&SpeedButton6, "SpeedButton6", "Speichern", "Save", "Diagramm als Datei speichern", "Save Chart to File",
         [this] { ScrrenShot1Click(nullptr); }},
        {&SpeedButton11, "SpeedButton11", "Kopieren", "Copy", "Diagramm in die Zwischenablage kopieren",
         "Copy Chart To Clipboard", [this] { Kopieren1Click(nullptr); }},
        // Every point is added with its own colour from the table, so each point is
        // coloured from the start and this switch has nothing left to turn on.
        {&SpeedButton12, "SpeedButton12", "Farben", "Colours", "Jeden Punkt in eigener Farbe zeigen",
         "Colour Each Point", nullptr},
        {&SpeedButton5, "SpeedButton5", "X", "X", "Diagramm-Werkzeugleiste ausblenden", "Hide Chart Toolbar",
         hideBar},
    };
    int left = 4;
    for (const Design& design : designs) {
        const char* caption = language::Text(design.german, design.english);
        const int width = std::max(28, 8 * static_cast<int>(strlen(caption)) + 12);
        TSpeedButton* button = Place<TSpeedButton>(this, bar, design.name, left, 3, width, 24);
        button->SetFlat(true);
        button->SetCaption(caption);
        if (design.action)
            button->OnClick = [this, action = design.action](TObject*) {
                action();
                ShowSwitches();
            };
        Hints->AddHint(button, language::Text(design.germanHint, design.englishHint));
        *design.button = button;
        left += width + 4;
    }
    // Legend and 3D are switches of their own; bars and pie one choice of two; each
    // point always has its own colour.
    SpeedButton2->SetGroupIndex(1);
    SpeedButton2->SetAllowAllUp(true);
    SpeedButton7->SetGroupIndex(2);
    SpeedButton7->SetAllowAllUp(true);
    SpeedButton8->SetGroupIndex(3);
    SpeedButton9->SetGroupIndex(3);
    SpeedButton12->SetGroupIndex(4);
    SpeedButton12->SetDown(true);
    ShowSwitches();
}

void TFrame6::ShowSwitches()
{
    if (!SpeedButton2)
        return;
    SpeedButton2->SetDown(DBChart1->LegendVisible());
    SpeedButton7->SetDown(DBChart1->View3D());
    (Pie() ? SpeedButton9 : SpeedButton8)->SetDown(true);
}

void TFrame6::ShowChart(const std::string& title, const SizeChartModel& model)
{
    Model = model;
    DBChart1->Clear();
    DBChart1->SetTitle(title);
    for (const TChartValue& bar : model.bars)
        DBChart1->Add(bar.value, bar.label, bar.color);
    UnitLabel->SetCaption(model.unit);
    FrameResize(nullptr);
}

void TFrame6::FrameResize(TObject*)
{
    // The unit under the chart stays in sight while the bars scroll.
    const int height = std::max(ClientHeight() - UnitLabel->Height(), 0);
    const SizeChartLayout layout = LayOutSizeChart(ClientWidth(), height, Model.barCount);
    ScrollBox1->SetBounds(0, 0, layout.boxWidth, height);
    ScrollBox1->SetContentHeight(layout.scrolledHeight);
    ScrollBox1->ScrollTo(ScrollBox1->Position());
    DBChart1->SetBounds(0, 0, layout.chartWidth, layout.chartHeight);
}

void TFrame6::SetPie(bool pie)
{
    DBChart1->SetStyle(pie ? TChartStyle::Pie : TChartStyle::HorizontalBars);
    ShowSwitches();
}

HBITMAP TFrame6::ChartBitmap()
{
    const int width = std::max(DBChart1->Width(), 1), height = std::max(DBChart1->Height(), 1);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap)
        return nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DBChart1->PaintTo(dc, TRect(all));
    SelectObject(dc, old);
    DeleteDC(dc);
    return bitmap;
}

int AddPiePicture(TImageList& images)
{
    const int width = images.Width(), height = images.Height();
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP picture = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    HGDIOBJ oldBitmap = SelectObject(dc, picture);
    const COLORREF clear = RGB(255, 0, 255);
    HBRUSH background = CreateSolidBrush(clear);
    RECT all{0, 0, width, height};
    FillRect(dc, &all, background);
    DeleteObject(background);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    // A quarter in the second colour, the rest in the first, as the chart begins.
    const int cx = width / 2, cy = height / 2;
    for (int slice = 0; slice < 2; ++slice) {
        HBRUSH fill = CreateSolidBrush(ColorToRGB(ChartColours[slice]));
        HGDIOBJ oldBrush = SelectObject(dc, fill);
        if (slice == 0)
            Pie(dc, 1, 1, width - 1, height - 1, cx, 1, width - 1, cy);
        else
            Pie(dc, 1, 1, width - 1, height - 1, width - 1, cy, cx, 1);
        SelectObject(dc, oldBrush);
        DeleteObject(fill);
    }
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBitmap);
    DeleteDC(dc);
    const int index = images.AddMasked(picture, static_cast<TColor>(clear));
    DeleteObject(picture);
    return index;
}

void TFrame6::Fail(const std::string& german, const std::string& english)
{
    effects::ShowMessageBox(Handle(), language::Text(german, english), language::Text("Fehler", "Error"),
                            MB_SYSTEMMODAL | MB_ICONEXCLAMATION | MB_OK);
}

void TFrame6::ScrrenShot1Click(TObject*)
{
    TSaveDialog dialog(nullptr);
    dialog.Title = language::Text("Speichern", "Save");
    dialog.Filter = language::Text("Bitmap-Dateien (*.bmp)|*.bmp", "Bitmap Files (*.bmp)|*.bmp");
    dialog.DefaultExt = "bmp";
    dialog.Options = ofOverwritePrompt | ofPathMustExist;
    if (!dialog.Execute())
        return;
    const std::string& name = dialog.FileName;
    HBITMAP bitmap = ChartBitmap();
    const bool saved = bitmap && SaveBitmapFile(bitmap, name);
    if (bitmap)
        DeleteObject(bitmap);
    if (!saved)
        Fail(std::string("Das Diagramm konnte nicht gespeichert werden:\n") + name,
             std::string("The chart could not be saved:\n") + name);
}

void TFrame6::Kopieren1Click(TObject*)
{
    HBITMAP bitmap = ChartBitmap();
    bool copied = false;
    if (bitmap && OpenClipboard(window_ ? window_->Handle() : nullptr)) {
        EmptyClipboard();
        copied = SetClipboardData(CF_BITMAP, bitmap) != nullptr; // the clipboard owns it now
        CloseClipboard();
    }
    if (!copied) {
        if (bitmap)
            DeleteObject(bitmap);
        Fail("Das Diagramm konnte nicht in die Zwischenablage kopiert werden.",
             "The chart could not be copied to the clipboard.");
    }
}

void TFrame6::PrintChart()
{
    PRINTDLGA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window_ ? window_->Handle() : nullptr;
    dialog.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS;
    if (!effects::ShowPrintDialog(dialog) || !dialog.hDC)
        return;
    HBITMAP bitmap = ChartBitmap();
    bool printed = false;
    DOCINFOA document{};
    document.cbSize = sizeof document;
    document.lpszDocName = "Tidewrack";
    if (bitmap && StartDocA(dialog.hDC, &document) > 0) {
        if (StartPage(dialog.hDC) > 0) {
            BITMAP size;
            GetObjectA(bitmap, sizeof size, &size);
            const int pageWidth = GetDeviceCaps(dialog.hDC, HORZRES);
            const int pageHeight = size.bmWidth > 0 ? pageWidth * size.bmHeight / size.bmWidth : 0;
            HDC source = CreateCompatibleDC(dialog.hDC);
            HGDIOBJ old = SelectObject(source, bitmap);
            printed = StretchBlt(dialog.hDC, 0, 0, pageWidth, pageHeight, source, 0, 0, size.bmWidth,
                                 size.bmHeight, SRCCOPY) != FALSE;
            SelectObject(source, old);
            DeleteDC(source);
            printed = EndPage(dialog.hDC) > 0 && printed;
        }
        printed = EndDoc(dialog.hDC) > 0 && printed;
    }
    if (bitmap)
        DeleteObject(bitmap);
    DeleteDC(dialog.hDC);
    if (dialog.hDevMode)
        GlobalFree(dialog.hDevMode);
    if (dialog.hDevNames)
        GlobalFree(dialog.hDevNames);
    if (!printed)
        Fail("Das Diagramm konnte nicht gedruckt werden.", "The chart could not be printed.");
}

bool SaveBitmapFile(HBITMAP bitmap, const std::string& path)
{
    BITMAP size;
    if (!GetObjectA(bitmap, sizeof size, &size))
        return false;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = size.bmWidth;
    header.biHeight = size.bmHeight;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const DWORD stride = ((static_cast<DWORD>(size.bmWidth) * 3 + 3) & ~3u);
    std::vector<BYTE> pixels(static_cast<size_t>(stride) * static_cast<size_t>(size.bmHeight));
    HDC dc = GetDC(nullptr);
    const int lines = GetDIBits(dc, bitmap, 0, static_cast<UINT>(size.bmHeight), pixels.data(),
                                reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    if (lines != size.bmHeight)
        return false;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    std::unique_ptr<FILE, FileCloser> out(fopen(path.c_str(), "wb"));
    if (!out)
        return false;
    bool written = fwrite(&file, sizeof file, 1, out.get()) == 1 && fwrite(&header, sizeof header, 1, out.get()) == 1 &&
                   fwrite(pixels.data(), 1, pixels.size(), out.get()) == pixels.size();
    return fclose(out.release()) == 0 && written;
}
