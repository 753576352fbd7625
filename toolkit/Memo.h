// TMemo: a multi-line text field. Its Lines are a view of the text as lines: each line
// the program adds ends with a line break, like the class library's memo, and adding
// a line scrolls to it. WordWrap and ScrollBars remake the window (the control reads
// them only when it is made); the text stays.
#pragma once

#include "toolkit/Edit.h"

#include <string>

class TMemo;

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TMemoLines {
public:
    explicit TMemoLines(TMemo* memo) : memo_(memo) {}

    int Count() const;
    std::string Strings(int index) const;
    std::string operator[](int index) const { return Strings(index); }
    // Appends a line at the end and scrolls to it.
    void Add(const std::string& line);
    void Clear();
    // Every line followed by CR LF.
    std::string Text() const;
    void SetText(const std::string& text);
    // Writes Text(); false when the file cannot be written completely.
    bool SaveToFile(const std::string& path) const;

private:
    TStringList Lines() const;

    TMemo* memo_;
};

class TMemo : public TEdit {
public:
    explicit TMemo(TComponent* owner);

    TMemoLines* Lines() { return &lines_; }
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle scrollBars);
    // Long lines break at the right edge (no horizontal scrolling then).
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap);

private:
    void Remake();

    TMemoLines lines_{this};
    TScrollStyle scrollBars_ = ssNone;
    bool wordWrap_ = true;
};
