// TGroupBox: a container that draws an etched frame with its caption in the top edge.
// It is a window of the toolkit's own class (not the BUTTON class's group box), so its
// child controls' notifications reach them like in any other container.
#pragma once

#include "toolkit/Controls.h"

class TGroupBox : public TCustomControl {
public:
    explicit TGroupBox(TComponent* owner);

protected:
    void Paint(HDC dc, const TRect& client) override;
    // Aligned controls stay inside the frame, below the caption.
    void AdjustClientRect(TRect& rect) override;
    void FontChanged() override;

private:
    int CaptionHeight() const;
};
