#include "toolkit/Timer.h"

#include "toolkit/Controls.h"

TTimer::TTimer(TComponent* owner) : TComponent(owner)
{
    Update();
}

TTimer::~TTimer()
{
    BeginDestroy();
    if (id_) toolkit::StopTimer(id_);
}

void TTimer::SetInterval(unsigned milliseconds)
{
    if (milliseconds == interval_) return;
    interval_ = milliseconds;
    Update();
}

void TTimer::SetEnabled(bool enabled)
{
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Update();
}

void TTimer::Update()
{
    // Restarted on every change, so a new interval counts from now.
    if (id_) toolkit::StopTimer(id_);
    id_ = 0;
    if (enabled_ && interval_ > 0)
        id_ = toolkit::StartTimer(interval_, [this] {
            if (OnTimer) OnTimer(this);
        });
}
