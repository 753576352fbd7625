#include "filetools/ShredderVolumes.h"

const ShredderVolume* ShredderVolumes::For(char driveLetter)
{
    if (driveLetter != driveLetter_) {
        Release();
        driveLetter_ = driveLetter;
        open_ = io_.OpenVolume(driveLetter, volume_);
    }
    return open_ ? &volume_ : nullptr;
}

void ShredderVolumes::Release()
{
    if (open_)
        io_.Close(volume_.handle);
    open_ = false;
    driveLetter_ = 0;
    volume_ = ShredderVolume();
}
