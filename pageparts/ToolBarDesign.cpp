#include "pageparts/ToolBarDesign.h"

namespace tool_bar_design {

void AddDesignedButtons(TToolBar& bar, TImageList& pictures, TWindowTexts& texts,
                        std::initializer_list<ButtonDesign> designs)
{
    bar.SetImages(&pictures);
    bar.SetHotImages(&pictures);
    for (const ButtonDesign& design : designs) {
        const int image = design.style == tbsSeparator ? -1 : pictures.AddShellIcon(design.shellPicture);
        TToolButton* button = bar.AddButton(design.name, design.style, image, design.onClick);
        if (design.germanCaption)
            texts.Caption(button, design.germanCaption, design.englishCaption);
        if (design.germanHint)
            texts.Hint(button, design.germanHint, design.englishHint);
        if (design.button)
            *design.button = button;
    }
}

} // namespace tool_bar_design
