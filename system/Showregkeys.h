// The details of one software entry: every key below the product, to look at, open in
// the registry editor or remove. It frees itself when it closes.
#pragma once

#include "system/RegistryRoots.h"
#include "system/SoftwareEntry.h"
#include "toolkit/Button.h"
#include "toolkit/Edit.h"
#include "toolkit/Forms.h"
#include "toolkit/Label.h"
#include "toolkit/ListView.h"

#include <string>
#include <vector>

// Every key below path, each before its own subkeys, as paths from the root.
std::vector<std::string> KeysBelow(HKEY root, const std::string& path);

class TForm5 : public TForm {
public:
    // The backup dialog of a removal and the registry editor open over owner.
    TForm5(TForm* owner, const RegistryRootPrefix& root, const SoftwareEntry& entry);

    void Label4Click(TObject* sender);
    void ListView1DblClick(TObject* sender);
    // Hand cursor over a row, the default elsewhere.
    void ListView1MouseMove(TObject* sender, TShiftState shift, int x, int y);
    void Button1Click(TObject* sender);
    void FormKeyDown(TObject* sender, WORD& key, TShiftState shift);
    void FormClose(TObject* sender, TCloseAction& action);

    TLabel* Label1 = nullptr; // caption of the vendor
    TEdit* Edit1 = nullptr;   // vendor
    TLabel* Label2 = nullptr; // caption of the product
    TEdit* Edit2 = nullptr;   // product
    TListView* ListView1 = nullptr;
    TLabel* Label4 = nullptr;
    TButton* Button1 = nullptr;

private:
    TForm* owner_;
    const RegistryRootPrefix& root_;
};
