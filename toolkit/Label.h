// TLabel: a text on its parent (a notifying static control that the label paints itself,
// so that the text can be transparent over the parent's colour and pictures, and take
// any font colour and style). With AutoSize the label fits its text after every change.
#pragma once

#include "toolkit/Controls.h"

class TLabel : public TControl {
public:
    explicit TLabel(TComponent* owner);

    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool autoSize);
    // Transparent: the parent (and pictures under the label) show around the letters.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap);

protected:
    bool WndProc(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool ReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool IsTransparent() const override { return transparent_; }
    void FontChanged() override;
    void TextChanged() override;

private:
    void AdjustSize();
    void DrawLabel(HDC dc, const RECT& client);
    UINT TextFormat() const;

    // The text and type the width of the drawn text was last found for.
    struct InkKey {
        std::string text;
        std::string fontName;
        int fontSize = 0;
        TFontStyles fontStyle = 0;
        bool operator==(const InkKey& other) const
        {
            return text == other.text && fontName == other.fontName && fontSize == other.fontSize &&
                   fontStyle == other.fontStyle;
        }
    };
    InkKey inkKey_;
    int inkWidth_ = 0;

    bool autoSize_ = true;
    bool transparent_ = false;
    TAlignment alignment_ = taLeftJustify;
    bool wordWrap_ = false;
};
