// What the test sandbox's Windows reports. The 32-bit prefix is Windows XP (5.1); the 64-bit
// prefix is Windows XP x64, which reports 5.2, the version it shares with Server 2003, and
// so is named by that family. Both are level 3.
#pragma once

namespace testing_support {

#if defined(_WIN64)
inline constexpr char kSandboxVersionText[] = "Version 5.2";
inline constexpr char kSandboxNameStart[] = "Microsoft Windows Server 2003 family, ";
#else
inline constexpr char kSandboxVersionText[] = "Version 5.1";
inline constexpr char kSandboxNameStart[] = "Microsoft Windows XP Professional ";
#endif

} // namespace testing_support
