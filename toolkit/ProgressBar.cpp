#include "toolkit/ProgressBar.h"

#include <commctrl.h>

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner)
{
    CreateHandle(PROGRESS_CLASSA, WS_CHILD | WS_VISIBLE, 0);
    SendMessageA(Handle(), PBM_SETRANGE32, 0, 100);
    SetBounds(0, 0, 150, 16);
}

int TProgressBar::Range(bool low) const
{
    return static_cast<int>(SendMessageA(Handle(), PBM_GETRANGE, low, 0));
}

void TProgressBar::SetMin(int min)
{
    SendMessageA(Handle(), PBM_SETRANGE32, min, Max());
}

void TProgressBar::SetMax(int max)
{
    SendMessageA(Handle(), PBM_SETRANGE32, Min(), max);
}

int TProgressBar::Position() const
{
    return static_cast<int>(SendMessageA(Handle(), PBM_GETPOS, 0, 0));
}

void TProgressBar::SetPosition(int position)
{
    SendMessageA(Handle(), PBM_SETPOS, position, 0);
}
