// One row of the software page: a product's key below "Software" of a root, which the
// page lists and its details window shows.
#pragma once

#include <string>

struct SoftwareEntry {
    std::string prefix; // "HKCU" or "HKLM"
    std::string path;   // "Software\vendor\product"
    std::string vendor;
    std::string product;
};
