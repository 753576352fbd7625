// Writing one entry of an open backup archive to a file the user keeps. The entry goes
// into a new temporary file beside the target first; only a complete extraction whose
// check sum holds then takes the target's place, so a damaged entry or a full disk never
// costs the file that was there, nor leaves a half-written one.
#pragma once

#include "archive/ZipTypes.h"

#include <string>

namespace backup {

// True when `target` now holds the entry. With `replace` a file already there is
// replaced (its read-only mark does not stop that); without it the extraction fails
// should a file of that name exist.
bool ExtractEntryTo(ZipHandle reader, int index, const std::string& target, bool replace);

} // namespace backup
