// Test programs clear and rewrite the program's settings: they may do so only in the Wine
// sandbox their build made, never among a real user's settings.
#pragma once

namespace testing_support {

// Ends the test program with a message unless it runs in its build's test sandbox.
void RequireTestSandbox();

} // namespace testing_support
