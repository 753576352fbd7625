// TAnimate: the common controls' animation control, playing an AVI resource of the
// program, centred in the control, with its background colour showing through.
#pragma once

#include "toolkit/Controls.h"

class TAnimate : public TWinControl {
public:
    explicit TAnimate(TComponent* owner);

    // Opens the AVI resource with that number; false (nothing shown) when there is none.
    bool Open(int resource);
    bool Opened() const { return opened_; }
    // Plays the frames from StartFrame to StopFrame (-1: the last) over and over, or stops.
    bool Active() const { return active_; }
    void SetActive(bool active);
    int StartFrame = 0;
    int StopFrame = -1;

private:
    bool opened_ = false;
    bool active_ = false;
};
