// TOpenDialog: the common dialog that asks for a file to open. Filter takes pairs of a
// description and its patterns, all separated by '|' ("Text|*.txt|HTML|*.html");
// FilterIndex counts the pairs from 1. Execute shows the dialog (through the effects
// seam) and returns true with FileName and FilterIndex set when the user chose a file.
#pragma once

#include "toolkit/Classes.h"

#include <commdlg.h>

#include <string>

using TOpenOptions = unsigned;
constexpr TOpenOptions ofReadOnly = OFN_READONLY;
constexpr TOpenOptions ofOverwritePrompt = OFN_OVERWRITEPROMPT;
constexpr TOpenOptions ofHideReadOnly = OFN_HIDEREADONLY;
constexpr TOpenOptions ofNoChangeDir = OFN_NOCHANGEDIR;
constexpr TOpenOptions ofPathMustExist = OFN_PATHMUSTEXIST;
constexpr TOpenOptions ofFileMustExist = OFN_FILEMUSTEXIST;
constexpr TOpenOptions ofCreatePrompt = OFN_CREATEPROMPT;
constexpr TOpenOptions ofNoReadOnlyReturn = OFN_NOREADONLYRETURN;
constexpr TOpenOptions ofEnableSizing = OFN_ENABLESIZING;

class TOpenDialog : public TComponent {
public:
    explicit TOpenDialog(TComponent* owner) : TComponent(owner) {}

    virtual bool Execute();

    std::string FileName;
    std::string Filter;
    int FilterIndex = 1;
    // Added by the dialog to a name typed without extension ("txt", no dot).
    std::string DefaultExt;
    std::string InitialDir;
    // The dialog's title; empty for the system's ("Open", "Save As").
    std::string Title;
    TOpenOptions Options = ofHideReadOnly | ofEnableSizing;

protected:
    bool Run(bool save);
};
