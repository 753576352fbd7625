// The main form's shell and folder helpers, over the shared shell services.
#include "shell/Unit1.h"

#include "fileengines/ShellServices.h"
#include "pageparts/ShellHelpers.h"

std::string TForm1::SpecialFolder(int csidl)
{
    return file_engines::SpecialFolder(Application->Handle(), csidl);
}

void TForm1::BrowseDirectory(TObject*, std::string& path)
{
    ::BrowseDirectory(LanguageFlag, path);
}

int TForm1::GetIcon(const std::string& path, UINT flags)
{
    int index = file_engines::GetIcon(path, flags, IconInfo);
    IconTypeName = IconInfo.szTypeName;
    IconDisplayName = IconInfo.szDisplayName;
    return index;
}

std::string TForm1::GetDisplayName(LPCITEMIDLIST item, IShellFolder* folder, DWORD flags)
{
    return file_engines::GetDisplayName(folder, item, flags);
}

unsigned long long TForm1::GetDirSize(const std::string& folder) { return file_engines::GetDirSize(folder); }

int TForm1::FastCountFiles(const std::string& folder, unsigned char recurse)
{
    return file_engines::FastCountFiles(folder, recurse);
}
