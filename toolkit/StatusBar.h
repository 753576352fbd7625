// TStatusBar: the status line with panels. A panel of style psOwnerDraw is painted by
// OnDrawPanel on the bar's Canvas; the others show their Text. The last panel reaches
// to the right end of the bar.
#pragma once

#include "toolkit/Controls.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TStatusBar;

enum TStatusPanelStyle { psText, psOwnerDraw };

class TStatusPanel {
public:
    TStatusPanel(TStatusBar* bar) : bar_(bar) {}

    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    int Width() const { return width_; }
    void SetWidth(int width);
    TStatusPanelStyle Style() const { return style_; }
    void SetStyle(TStatusPanelStyle style);
    int Index() const;

private:
    TStatusBar* bar_;
    std::string text_;
    int width_ = 50;
    TStatusPanelStyle style_ = psText;
};

class TStatusPanels {
public:
    explicit TStatusPanels(TStatusBar* bar) : bar_(bar) {}

    TStatusPanel* Add();
    void Clear();
    int Count() const { return static_cast<int>(panels_.size()); }
    TStatusPanel* Items(int index) const { return panels_.at(index).get(); }
    TStatusPanel* operator[](int index) const { return Items(index); }

private:
    friend class TStatusPanel;
    TStatusBar* bar_;
    std::vector<std::unique_ptr<TStatusPanel>> panels_;
};

using TDrawPanelEvent =
    std::function<void(TStatusBar* statusBar, TStatusPanel* panel, const TRect& rect)>;

class TStatusBar : public TWinControl {
public:
    explicit TStatusBar(TComponent* owner);

    TStatusPanels* Panels() { return &panels_; }
    // Valid while OnDrawPanel runs.
    TCanvas* Canvas() { return &canvas_; }

    TDrawPanelEvent OnDrawPanel;

protected:
    bool ReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void ColorChanged() override;

private:
    friend class TStatusPanel;
    friend class TStatusPanels;
    void UpdateParts();
    void UpdatePanelText(int index);

    TStatusPanels panels_{this};
    TCanvas canvas_;
};
