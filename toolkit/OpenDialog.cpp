#include "toolkit/OpenDialog.h"

#include "toolkit/Effects.h"
#include "toolkit/Forms.h"

#include <vector>

bool TOpenDialog::Execute()
{
    return Run(false);
}

bool TOpenDialog::Run(bool save)
{
    // "a|b|c|d" becomes "a\0b\0c\0d\0\0", the form the dialog reads.
    std::string filter = Filter;
    for (char& c : filter)
        if (c == '|') c = '\0';
    filter.append(2, '\0');
    std::vector<char> file(32 * 1024, '\0');
    FileName.copy(file.data(), file.size() - 1);
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    HWND owner = GetActiveWindow();
    if (!owner && Application->MainForm()) owner = Application->MainForm()->Handle();
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = Filter.empty() ? nullptr : filter.c_str();
    dialog.nFilterIndex = FilterIndex;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = InitialDir.empty() ? nullptr : InitialDir.c_str();
    dialog.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
    std::string extension = DefaultExt;
    if (!extension.empty() && extension[0] == '.') extension.erase(0, 1);
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    dialog.Flags = Options | OFN_EXPLORER;
    if (!effects::ShowFileDialog(dialog, save)) return false;
    FileName = file.data();
    FilterIndex = static_cast<int>(dialog.nFilterIndex);
    return true;
}
