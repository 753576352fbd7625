// One file the duplicate search's walk found: what the main form keeps of the last search.
#pragma once

#include <windows.h>

#include <string>

namespace duplicates {

struct Candidate {
    std::string path;
    unsigned long long size = 0;
    FILETIME lastWrite{};
};

} // namespace duplicates
