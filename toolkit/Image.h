// TImage: shows a picture (bitmap or icon) at its top left, centred, or stretched to its
// size; where the picture does not cover it, the parent shows through.
#pragma once

#include "toolkit/Controls.h"

class TImage : public TControl {
public:
    explicit TImage(TComponent* owner);

    TPicture* Picture() { return &picture_; }
    bool Stretch() const { return stretch_; }
    void SetStretch(bool stretch);
    bool Center() const { return center_; }
    void SetCenter(bool center);

protected:
    void Paint(HDC dc, const TRect& client) override;
    void PaintUnder(HDC dc) override;
    bool IsTransparent() const override { return true; }

private:
    TPicture picture_;
    bool stretch_ = false;
    bool center_ = false;
};
