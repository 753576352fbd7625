// Detection of the Windows version at construction of the main form.
#include "shell/Unit1.h"

#include "shell/WindowsVersion.h"

std::string OsNameText;
std::string OsVersionText;
int IsXpClass = 0;

bool TForm1::DisplaySystemVersion()
{
    TRegistry registry;
    WindowsVersion version = DecodeWindowsVersion(GatherWindowsVersionFacts(registry));
    OsNameText = version.nameText;
    OsVersionText = version.versionText;
    IsXpClass = version.isXpClass;
    OsLevel = version.osLevel;
    return version.ok;
}
