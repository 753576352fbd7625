// Pieces of the texts that message boxes show.
#pragma once

#include <string>
#include <vector>

// The first `most` lines, each followed by a line break, and a count of the rest, so a
// box that names files stays on the screen however many there are.
std::string JoinLines(const std::vector<std::string>& lines, size_t most);
