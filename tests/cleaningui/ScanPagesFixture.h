// The main form created as at a real start (settings cleared, effects recorded), with
// helpers that keep every scan of a test inside its own temporary tree.
#pragma once

#include "common/OptionsKeys.h"
#include "shell/Unit1.h"
#include "tests/support/MainFormFixture.h"
#include "toolkit/ListView.h"
#include "toolkit/RadioButton.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

class ScanPagesTest : public testing_support::MainFormTest {
protected:
    void Start() override
    {
        testing_support::MainFormTest::Start();
        SettleAfterStart();
    }

    static std::map<std::string, std::string> Stored(const std::string& key)
    {
        std::map<std::string, std::string> values;
        TRegistry registry;
        if (registry.OpenKeyReadOnly(key))
            for (const std::string& name : registry.GetValueNames())
                values[name] = registry.ReadString(name).value_or("?");
        return values;
    }

    static std::vector<std::string> Captions(TListView* list)
    {
        std::vector<std::string> captions;
        for (int row = 0; row < list->Items()->Count(); ++row)
            captions.push_back(list->Items()->Item(row)->Caption());
        return captions;
    }

    static std::vector<bool> Marks(TListView* list)
    {
        std::vector<bool> marks;
        for (int row = 0; row < list->Items()->Count(); ++row)
            marks.push_back(list->Items()->Item(row)->Checked());
        return marks;
    }

    static void SetRows(TListView* list, const std::vector<std::string>& captions)
    {
        list->Items()->Clear();
        for (const std::string& caption : captions) {
            TListItem* row = list->Items()->Add();
            row->SetCaption(caption);
            row->SetChecked(true);
        }
    }

    // The tree's folder as the one checked location (the drives unchecked), the masks
    // and exclusion folders as given, and the scan mode.
    static void PrepareScan(const std::string& folder, const std::vector<std::string>& masks,
                            const std::vector<std::string>& excludeDirs, int mode)
    {
        for (int row = 0; row < Form1->ListView1->Items()->Count(); ++row)
            Form1->ListView1->Items()->Item(row)->SetChecked(false);
        ASSERT_TRUE(Form1->FindPidlShellFolder(folder, true));
        SetRows(Form1->ListView2, masks);
        SetRows(Form1->ListView3, excludeDirs);
        Form1->ScanModeButtons[mode]->SetChecked(true);
    }

    std::vector<std::string> BoxTexts() const
    {
        std::vector<std::string> texts;
        for (const auto& box : effects.boxes)
            texts.push_back(box.caption + ": " + box.text);
        return texts;
    }
};
