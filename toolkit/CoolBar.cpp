#include "toolkit/CoolBar.h"

#include <commctrl.h>

TCoolBar::TCoolBar(TComponent* owner) : TWinControl(owner)
{
    // The bar's place is the toolkit's alignment, not the rebar's own idea of the top edge.
    CreateHandle(REBARCLASSNAMEA,
                 WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | RBS_VARHEIGHT | RBS_BANDBORDERS |
                     CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE,
                 0);
}

void TCoolBar::AddBand(TControl* control)
{
    control->SetParent(this);
    REBARBANDINFOA band{};
    // The fields of the oldest rebar are enough, and every version takes that size.
    band.cbSize = REBARBANDINFOA_V3_SIZE;
    band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_STYLE;
    band.fStyle = RBBS_CHILDEDGE;
    band.hwndChild = control->Handle();
    band.cyMinChild = control->Height();
    SendMessageA(Handle(), RB_INSERTBANDA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
    SetHeight(static_cast<int>(SendMessageA(Handle(), RB_GETBARHEIGHT, 0, 0)));
}

int TCoolBar::BandCount() const { return static_cast<int>(SendMessageA(Handle(), RB_GETBANDCOUNT, 0, 0)); }
