// The sidebar's links: the look they share while the mouse is over them.
#include "shell/Unit1.h"

void TForm1::LabelMouseMove(TObject* sender, TShiftState, int, int)
{
    auto* link = static_cast<TLabel*>(sender);
    link->Font()->SetColor(clRed);
    link->Font()->SetStyle(fsBold | fsUnderline);
    link->SetCursor(crHandPoint);
}

void TForm1::LabelMouseLeave(TObject* sender)
{
    auto* link = static_cast<TLabel*>(sender);
    link->Font()->SetColor(clBlue);
    link->Font()->SetStyle(0);
}
