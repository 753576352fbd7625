// The raw volume the engine writes packed files' clusters through. It always belongs to
// the volume of the file being treated: asking for another one closes the one held.
#pragma once

#include "filetools/ShredderIo.h"

#include <string>

class ShredderVolumes {
public:
    explicit ShredderVolumes(ShredderIo& io) : io_(io) {}
    ~ShredderVolumes() { Release(); }
    ShredderVolumes(const ShredderVolumes&) = delete;
    ShredderVolumes& operator=(const ShredderVolumes&) = delete;

    // The volume mounted at root ("D:\", "C:\Mnt\D\"), opened on first use; null when it
    // cannot be opened.
    const ShredderVolume* For(const std::string& root);

private:
    void Release();

    ShredderIo& io_;
    std::string root_;  // the root of volume_, or of the last failed open
    bool open_ = false;
    ShredderVolume volume_;
};
