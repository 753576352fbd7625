// The about box as the title bar's about button opens it, and the memory figure it shows.
#include "common/Language.h"
#include "pageparts/HostDialog.h"
#include "shell/Information.h"
#include "shell/Unit1.h"

void TForm1::Image30Click(TObject*)
{
    MakeHostDialog(HostDialog::About);
    RelaunchOnClose = 0;
    Frame5 = MakeHostFrame<TFrame5>(HostPanel);
    Frame5->SetTexts();
    if (LanguageFlag == 0) {
        Frame5->Label7->Hide();
        Frame5->Image7->Hide();
    }
    Frame5->BringToFront();
    Frame5->Label11->SetCaption(OsNameText);
    Frame5->Label8->SetCaption(
        about::MemoryCaption(about::PhysicalMemoryBytes(about::LookUpMemoryStatusEx()), LanguageFlag));
    ShowHostDialog(HostDialog::About);
}

namespace about {

MemoryStatusExFunction LookUpMemoryStatusEx()
{
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    return kernel ? reinterpret_cast<MemoryStatusExFunction>(GetProcAddress(kernel, "GlobalMemoryStatusEx"))
                  : nullptr;
}

unsigned long long PhysicalMemoryBytes(MemoryStatusExFunction statusEx)
{
    if (statusEx) {
        MEMORYSTATUSEX status{};
        status.dwLength = sizeof status;
        if (statusEx(&status))
            return status.ullTotalPhys;
    }
    MEMORYSTATUS status{};
    status.dwLength = sizeof status; // 32
    GlobalMemoryStatus(&status);
    return status.dwTotalPhys;
}

std::string MemoryCaption(unsigned long long bytes, int languageFlag)
{
    char separator[8] = ",", decimal[8] = ".";
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator);
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimal, sizeof decimal);
    NUMBERFMTA format{};
    format.NumDigits = 0;
    format.LeadingZero = 1; // so that less than 1 KiB reads "0"
    format.Grouping = 3;
    format.lpDecimalSep = decimal;
    format.lpThousandSep = separator;
    format.NegativeOrder = 1;
    const std::string kib = std::to_string(bytes >> 10);
    char number[64] = "";
    if (GetNumberFormatA(LOCALE_USER_DEFAULT, 0, kib.c_str(), &format, number, sizeof number) <= 0)
        lstrcpynA(number, kib.c_str(), sizeof number);
    return std::string(language::Text(languageFlag, "Physikalischer Speicher: ", "physical memory: ")) + number +
           " KB ";
}

} // namespace about
