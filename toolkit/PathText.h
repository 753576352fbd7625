// Paths shortened with an ellipsis so that they fit a control's width.
#pragma once

#include "toolkit/Controls.h"

#include <string>

// The path as PathCompactPathA shortens it for the control's client width (less a small
// margin), measured in the control's font.
std::string CompactPathFor(TControl* control, const std::string& path);
