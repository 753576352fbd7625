#include "toolkit/Animate.h"

#include <commctrl.h>

TAnimate::TAnimate(TComponent* owner) : TWinControl(owner)
{
    CreateHandle(ANIMATE_CLASSA, WS_CHILD | WS_VISIBLE | ACS_CENTER | ACS_TRANSPARENT, 0);
}

bool TAnimate::Open(int resource)
{
    SetActive(false);
    opened_ = SendMessageA(Handle(), ACM_OPENA, reinterpret_cast<WPARAM>(GetModuleHandleA(nullptr)),
                           reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(resource))) != FALSE;
    return opened_;
}

void TAnimate::SetActive(bool active)
{
    if (active && opened_)
        active_ = SendMessageA(Handle(), ACM_PLAY, static_cast<WPARAM>(-1),
                               MAKELONG(static_cast<WORD>(StartFrame), static_cast<WORD>(StopFrame))) != FALSE;
    else {
        if (active_) SendMessageA(Handle(), ACM_STOP, 0, 0);
        active_ = false;
    }
}
