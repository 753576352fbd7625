// The value viewer: a small modal dialog listing the values of one registry key, name and
// data, which ShowKeyValues (system/ShowKeyValues.h) fills and shows for the pages that
// clean most-recently-used lists. It frees itself when it closes.
#pragma once

#include "toolkit/Button.h"
#include "toolkit/Forms.h"
#include "toolkit/ListView.h"

#include <string>

class TForm10 : public TForm {
public:
    explicit TForm10(TComponent* owner);
    ~TForm10() override;

    void Button1Click(TObject* sender);
    void FormKeyDown(TObject* sender, WORD& key, TShiftState shift);
    void FormClose(TObject* sender, TCloseAction& action);

    // One row: the value's name and its data as text.
    void AddValue(const std::string& name, const std::string& data);

    TListView* ListView1 = nullptr;
    TButton* Button1 = nullptr;
};

// The value viewer showing, or nullptr.
extern TForm10* Form10;
