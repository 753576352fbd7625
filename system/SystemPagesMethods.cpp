// The pages of the registry and system maintenance tools, made with the main window.
#include "shell/Unit1.h"

void TForm1::BuildSystemPages()
{
    BuildDiskCheckPage();
    BuildDriveInfoPage();
    BuildPrivacyPage();
    BuildAutostartPage();
}
