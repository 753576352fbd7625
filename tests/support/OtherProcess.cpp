#include "tests/support/OtherProcess.h"

#include <commctrl.h>

namespace testing_support {

std::string Upper(std::string text)
{
    if (!text.empty())
        ::CharUpperBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

std::vector<std::string> ListColumn(HANDLE process, HWND list, int column, int rows)
{
    std::vector<std::string> texts;
    const SIZE_T textSize = 1024;
    char* remote = static_cast<char*>(
        ::VirtualAllocEx(process, nullptr, sizeof(LVITEMA) + textSize, MEM_COMMIT, PAGE_READWRITE));
    if (!remote)
        return texts;
    for (int row = 0; row < rows; ++row) {
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = remote + sizeof(LVITEMA);
        item.cchTextMax = static_cast<int>(textSize);
        char text[textSize] = "";
        DWORD_PTR length = 0;
        if (!::WriteProcessMemory(process, remote, &item, sizeof item, nullptr) ||
            !::SendMessageTimeoutA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG,
                                   5000, &length) ||
            !::ReadProcessMemory(process, remote + sizeof(LVITEMA), text, textSize, nullptr))
            break;
        text[textSize - 1] = '\0';
        texts.push_back(text);
    }
    ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return texts;
}

} // namespace testing_support
