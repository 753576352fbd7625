// The pictures of the drive lists that show a drive by its type rather than by its own
// shell icon: the registry cleaner's drive list and the disk check's list.
#pragma once

#include <windows.h>

class TComponent;
class TImageList;

namespace drive_pictures {

// Where each drive type's picture lies in the list MakeImages makes.
constexpr int removable = 1, fixed = 2, cdRom = 3, ramDisk = 4, remote = 5;

// The shell library's resource number of its hard-drive picture.
constexpr int shellHardDrive = 9;

// The picture index of a type from GetDriveTypeA; -1 for an unknown type or no root.
int OfDriveType(UINT driveType);

// A 16 x 16 image list of the shell's drive pictures at the indices above (index 0, which
// no type uses, holds the shell's folder).
TImageList* MakeImages(TComponent* owner, const char* name);

} // namespace drive_pictures
