// Showing a registry key's values, name and data, in the value viewer: how the pages of
// other areas open it without knowing the window.
#pragma once

#include <windows.h>

#include <string>

class TComponent;
class TXPMenu;

// The values of key below root, each name with its data as text, in a modal viewer titled
// title that look paints; an absent key shows an empty list.
void ShowKeyValues(TComponent* owner, TXPMenu& look, HKEY root, const std::string& key, const std::string& title);
