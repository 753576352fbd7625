#include "system/DrivePictures.h"

#include "toolkit/ImageList.h"

namespace drive_pictures {

int OfDriveType(UINT driveType)
{
    switch (driveType) {
    case DRIVE_REMOVABLE: return removable;
    case DRIVE_FIXED: return fixed;
    case DRIVE_REMOTE: return remote;
    case DRIVE_CDROM: return cdRom;
    case DRIVE_RAMDISK: return ramDisk;
    default: return -1;
    }
}

TImageList* MakeImages(TComponent* owner, const char* name)
{
    // The shell library's resource numbers of its folder and drive pictures, in the
    // order of the indices above.
    const int shellPictures[] = {4, 8, shellHardDrive, 12, 13, 10};
    auto* images = new TImageList(owner);
    images->Name = name;
    for (int resource : shellPictures)
        if (images->AddShellIcon(resource) < 0) // a system without that picture keeps the indices
            images->AddIcon(LoadIconA(nullptr, IDI_APPLICATION));
    return images;
}

} // namespace drive_pictures
