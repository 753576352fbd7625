// TScrollBox: a container whose content is taller than itself, with a vertical scroll
// bar. Controls go into Content(), at their own coordinates; scrolling moves the content
// panel, so every control keeps the bounds it was given.
#pragma once

#include "toolkit/Panel.h"

class TScrollBox : public TCustomControl {
public:
    explicit TScrollBox(TComponent* owner);

    TPanel* Content() const { return content_; }
    // The height of the content, which sets the scroll range.
    void SetContentHeight(int height);
    int Position() const { return position_; }
    void ScrollTo(int position);

protected:
    bool WndProc(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void UpdateBar();

    TPanel* content_ = nullptr;
    int position_ = 0;
};
