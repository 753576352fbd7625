#include "pageparts/MessageText.h"

std::string JoinLines(const std::vector<std::string>& lines, size_t most)
{
    std::string text;
    for (size_t i = 0; i < lines.size() && i < most; ++i)
        text += lines[i] + "\n";
    if (lines.size() > most)
        text += "... (" + std::to_string(lines.size() - most) + ")\n";
    return text;
}
