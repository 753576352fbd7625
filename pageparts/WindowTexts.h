// A window's texts in both languages, side by side where its design sets them. The design
// shows the German text, as the program's designs always have; the English one is kept
// beside it, and the window's English function puts every English text in its place,
// which English mode calls right after the window is made. So each text stands once, with
// its twin, and the two languages cannot drift apart.
#pragma once

#include "toolkit/MenuEntry.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

class TWindowTexts {
public:
    // Sets the German text through set now and keeps the English one for English().
    void Text(std::function<void(const std::string&)> set, const char* german, const char* english)
    {
        set(german);
        english_.emplace_back(std::move(set), english);
    }

    // The same for a control, tab, column or anything else with SetCaption.
    template <class Item>
    Item* Caption(Item* item, const char* german, const char* english)
    {
        Text([item](const std::string& text) { item->SetCaption(text); }, german, english);
        return item;
    }

    // The same for a menu item, whose caption is a field.
    template <class Item>
    Item* MenuCaption(Item* item, const char* german, const char* english)
    {
        Text([item](const std::string& text) { item->Caption = text; }, german, english);
        return item;
    }

    // The same for a tool button's hint.
    template <class Item>
    Item* Hint(Item* item, const char* german, const char* english)
    {
        Text([item](const std::string& text) { item->Hint = text; }, german, english);
        return item;
    }

    // A menu entry made as AddMenuEntry makes it, with its caption in both languages.
    template <class Parent>
    TMenuItem* MenuEntry(TComponent* owner, Parent* parent, const std::string& name, const char* german,
                         const char* english, TNotifyEvent onClick = nullptr)
    {
        return MenuCaption(AddMenuEntry(owner, parent, name, german, std::move(onClick)), german, english);
    }

    // Puts every English text in place.
    void English() const
    {
        for (const auto& [set, english] : english_)
            set(english);
    }

private:
    std::vector<std::pair<std::function<void(const std::string&)>, const char*>> english_;
};
