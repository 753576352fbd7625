// Whether this program runs as a 32-bit program on 64-bit Windows (WOW64), where the
// system shows it its own views of the system folder and of parts of the registry.
#pragma once

namespace common {

// Asked once; false where the system cannot say (Windows before XP SP2 has no WOW64).
bool RunsUnderWow64();

} // namespace common
