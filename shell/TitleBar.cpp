// The borderless main window's own title bar, status bar painting and keys.
#include "shell/Unit1.h"

void TForm1::Image101MouseDown(TObject*, TMouseButton button, TShiftState, int, int)
{
    if (button != mbLeft)
        return;
    // Hand the press to the system's move loop, as a press on a real caption would.
    ReleaseCapture();
    SendMessageA(Handle(), WM_SYSCOMMAND, 0xF012, 0);
}

void TForm1::FormResize(TObject*)
{
    if (Image33)
        PlaceTitleButtons(38);
}

void TForm1::Image33Click(TObject*) { Close(); }

void TForm1::Image32Click(TObject*) {}

void TForm1::Image31Click(TObject*) { AddToTaskBar(); }

void TForm1::Image6Click(TObject*) { AddToTaskBar(); }

void TForm1::Image5Click(TObject*)
{
    Close();
    Application->ProcessMessages();
}

void TForm1::FormKeyDown(TObject*, WORD& key, TShiftState)
{
    if (key == VK_ESCAPE && GetFocus() == Handle())
        Close();
}

void TForm1::Image33MouseMove(TObject*, TShiftState, int, int) { Image33->SetCursor(crHandPoint); }
void TForm1::Image32MouseMove(TObject*, TShiftState, int, int) { Image32->SetCursor(crHandPoint); }
void TForm1::Image31MouseMove(TObject*, TShiftState, int, int) { Image31->SetCursor(crHandPoint); }
void TForm1::Image30MouseMove(TObject*, TShiftState, int, int) { Image30->SetCursor(crHandPoint); }
void TForm1::Image36MouseMove(TObject*, TShiftState, int, int) { Image36->SetCursor(crHandPoint); }

void TForm1::StatusBar1DrawPanel(TStatusBar* statusBar, TStatusPanel* panel, const TRect& rect)
{
    TCanvas* canvas = statusBar->Canvas();
    canvas->Brush.Color = clWhite;
    canvas->FillRect(rect);
    int spare = (rect.Height() - canvas->TextHeight(panel->Text())) / 2;
    if (panel->Index() == 0) {
        canvas->Font.SetColor(clRed);
        int x = rect.Left + (rect.Width() - canvas->TextWidth(panel->Text())) / 2;
        canvas->TextRect(rect, x, rect.Top + spare, panel->Text());
    } else {
        canvas->Font.SetColor(clNavy);
        canvas->TextRect(rect, rect.Left + spare, rect.Top + spare, panel->Text());
    }
}
