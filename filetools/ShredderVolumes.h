// The raw volume the engine writes packed files' clusters through. It always belongs to
// the drive of the file being treated: asking for another drive closes the one held.
#pragma once

#include "filetools/ShredderIo.h"

class ShredderVolumes {
public:
    explicit ShredderVolumes(ShredderIo& io) : io_(io) {}
    ~ShredderVolumes() { Release(); }
    ShredderVolumes(const ShredderVolumes&) = delete;
    ShredderVolumes& operator=(const ShredderVolumes&) = delete;

    // The volume of that drive, opened on first use; null when it cannot be opened.
    const ShredderVolume* For(char driveLetter);

private:
    void Release();

    ShredderIo& io_;
    char driveLetter_ = 0;  // the drive of volume_, or of the last failed open
    bool open_ = false;
    ShredderVolume volume_;
};
