#include "filetools/ShredderVolumes.h"

const ShredderVolume* ShredderVolumes::For(const std::string& root)
{
    if (root != root_) {
        Release();
        root_ = root;
        open_ = io_.OpenVolume(root, volume_);
    }
    return open_ ? &volume_ : nullptr;
}

void ShredderVolumes::Release()
{
    if (open_)
        io_.Close(volume_.handle);
    open_ = false;
    root_.clear();
    volume_ = ShredderVolume();
}
