// A tool bar's buttons as a window's design lists them: each with a picture of the shell's,
// a caption and a hint in both languages, and what a click does.
#pragma once

#include "pageparts/WindowTexts.h"
#include "toolkit/ToolBar.h"

#include <initializer_list>

namespace tool_bar_design {

struct ButtonDesign {
    TToolButton** button;      // where the window keeps the button; nullptr for one it does not
    const char* name;
    TToolButtonStyle style;
    int shellPicture;          // resource number of the picture in the shell's library; unused for separators
    const char* germanCaption; // nullptr: the button shows its picture only
    const char* englishCaption;
    const char* germanHint;    // nullptr: no hint
    const char* englishHint;
    TNotifyEvent onClick;      // empty for separators and for drop-downs that only show their menu
};

// Gives bar its pictures (hot buttons show them at full strength; resting ones are dimmed by
// the look) and adds the buttons in the order given, their texts kept in texts for English.
void AddDesignedButtons(TToolBar& bar, TImageList& pictures, TWindowTexts& texts,
                        std::initializer_list<ButtonDesign> designs);

} // namespace tool_bar_design
