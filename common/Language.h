// common/: what every part uses and that knows no window (texts, case rule, paths, handles).
// The language the program speaks, German or English. It is read once when the program
// starts (the main form takes it from the language file beside the program) and every
// window picks its texts by it here, so no window needs the main form to know it.
#pragma once

#include <string>

namespace language {

// 1 German, 0 English. The main form sets it at its start and calls it LanguageFlag.
extern int Flag;

inline bool German() { return Flag != 0; }

// The German or the English text, in the program's language.
inline const char* Text(const char* german, const char* english) { return Flag ? german : english; }
inline std::string Text(std::string german, std::string english) { return Flag ? german : english; }

// The same choice for code that is handed its language rather than reading the program's:
// the engines, which tests run in either language without a main form.
inline const char* Text(bool german, const char* inGerman, const char* inEnglish)
{
    return german ? inGerman : inEnglish;
}
inline std::string Text(bool german, std::string inGerman, std::string inEnglish)
{
    return german ? inGerman : inEnglish;
}

} // namespace language
