// TToolBar: the common controls' tool bar with TToolButton items -- images from up to
// three image lists (normal, hot, disabled), captions, hints, check and drop-down buttons and
// separators -- and a handler that may draw each button itself (custom draw).
#pragma once

#include "toolkit/Controls.h"
#include "toolkit/ImageList.h"

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

class TPopupMenu;
class TToolBar;

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };

// Custom-draw states of a button (the tool bar's CDIS_ values).
constexpr unsigned cdsSelected = 1, cdsDisabled = 4, cdsChecked = 8, cdsHot = 64, cdsIndeterminate = 256;

class TToolButton : public TComponent {
public:
    TToolButton(TToolBar* bar, TComponent* owner);
    ~TToolButton() override;

    TToolBar* ToolBar() const { return bar_; }
    int Index() const;
    TToolButtonStyle Style() const { return style_; }
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int index);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Down() const;
    void SetDown(bool down);
    // Shown below the picture; a bar with captions makes its buttons tall enough for them.
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    // Shown as the button's tool tip.
    std::string Hint;
    // Shown below a drop-down button when its arrow or the button is pressed.
    TPopupMenu* DropdownMenu = nullptr;
    TNotifyEvent OnClick;
    // The button's place in its bar's client area.
    RECT BoundsRect() const;
    // Runs OnClick (a drop-down button without OnClick shows its menu).
    void Click();

private:
    friend class TToolBar;
    TToolBar* bar_;
    TToolButtonStyle style_ = tbsButton;
    std::string caption_;
    int imageIndex_ = -1;
    bool enabled_ = true;
    int id_ = 0;
};

// Draws one button; clear defaultDraw to keep the bar from drawing it too.
using TToolBarDrawButtonEvent =
    std::function<void(TToolBar* bar, TToolButton* button, HDC dc, unsigned state, bool& defaultDraw)>;

class TToolBar : public TWinControl {
public:
    explicit TToolBar(TComponent* owner);
    ~TToolBar() override;

    // Appends a button (owned by owner, the bar's owner when nullptr).
    TToolButton* AddButton(const std::string& name, TToolButtonStyle style, int imageIndex,
                           TNotifyEvent onClick = nullptr, TComponent* owner = nullptr);
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    TToolButton* Buttons(int index) const { return buttons_.at(index); }

    TImageList* Images() const { return images_.List(); }
    TImageList* HotImages() const { return hotImages_.List(); }
    TImageList* DisabledImages() const { return disabledImages_.List(); }
    void SetImages(TImageList* images);
    void SetHotImages(TImageList* images);
    void SetDisabledImages(TImageList* images);
    void SetButtonSize(int width, int height);
    bool Flat() const;
    void SetFlat(bool flat);
    // A transparent bar shows its parent through the space its buttons leave.
    bool Transparent() const;
    void SetTransparent(bool transparent);
    // Shows button's drop-down menu below it.
    void ShowDropdown(TToolButton* button);

    TToolBarDrawButtonEvent OnCustomDrawButton;

protected:
    bool WndProc(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool ReflectedMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    friend class TToolButton;
    void Insert(TToolButton* button);
    void Remove(TToolButton* button);
    TToolButton* ButtonOfId(int id) const;
    LRESULT CustomDraw(NMTBCUSTOMDRAW* draw);

    std::vector<TToolButton*> buttons_;
    // Each slot hands its list's handle to the tool bar with this message.
    std::function<void(HIMAGELIST)> Slot(UINT message)
    {
        return [this, message](HIMAGELIST handle) {
            SendMessageA(Handle(), message, 0, reinterpret_cast<LPARAM>(handle));
        };
    }
    TImageLink images_{Slot(TB_SETIMAGELIST)};
    TImageLink hotImages_{Slot(TB_SETHOTIMAGELIST)};
    TImageLink disabledImages_{Slot(TB_SETDISABLEDIMAGELIST)};
    int nextId_ = 1;
};
