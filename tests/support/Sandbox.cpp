#include "tests/support/Sandbox.h"

#include "toolkit/Registry.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace testing_support {

void RequireTestSandbox()
{
    // scripts/make-prefix.sh marks the sandbox with the folder of the programs it runs.
    TRegistry registry;
    const bool marked = registry.OpenKeyReadOnly("Software\\TidewrackTestSandbox") &&
                        registry.ReadString("Programs") == TIDEWRACK_TEST_PROGRAM_DIR;
    if (marked)
        return;
    std::fprintf(stderr,
                 "This test program clears Tidewrack's settings (HKCU\\Software\\Tidewrack) and may only "
                 "run in the Wine sandbox of the build that made it (%s). Run it through ctest or "
                 "scripts/test.sh, never on a computer whose settings count.\n",
                 TIDEWRACK_TEST_PROGRAM_DIR);
    std::exit(2);
}

namespace {

// Every program that links the settings helpers checks before its first test, so not even
// a test that writes settings before it clears them runs outside the sandbox.
class SandboxCheck : public ::testing::Environment {
public:
    void SetUp() override { RequireTestSandbox(); }
};

::testing::Environment* const sandboxCheck = ::testing::AddGlobalTestEnvironment(new SandboxCheck);

} // namespace

} // namespace testing_support
