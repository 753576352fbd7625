// Colours of standard controls. A standard control asks its parent for its background
// brush (WM_CTLCOLOR*), and the brush must outlive the paint: one brush per colour is
// kept for the program's life (a program uses a handful of colours).
#pragma once

#include "toolkit/Types.h"

namespace toolkit {
// Answers a WM_CTLCOLOR* message: text and background colours into dc, the brush as result.
LRESULT ControlColor(HDC dc, TColor text, TColor background);
}  // namespace toolkit
