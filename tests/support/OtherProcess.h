// Reading what the program shows when a test starts it as a process of its own.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace testing_support {

// The text in upper case: the shell may spell a path in another case than the test.
std::string Upper(std::string text);

// A column of the first rows of a list view in another process; the texts travel through
// memory allocated in that process. Ends early at the first row that cannot be read.
std::vector<std::string> ListColumn(HANDLE process, HWND list, int column, int rows);

} // namespace testing_support
