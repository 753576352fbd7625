// Keeps the critical-error box ("There is no disk in the drive") away while a drive is
// asked about; the caller learns of the failure from the call itself.
#pragma once

#include <windows.h>

class NoDiskBoxes {
public:
    NoDiskBoxes() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
    ~NoDiskBoxes() { SetErrorMode(previous_); }
    NoDiskBoxes(const NoDiskBoxes&) = delete;
    NoDiskBoxes& operator=(const NoDiskBoxes&) = delete;

private:
    UINT previous_;
};
