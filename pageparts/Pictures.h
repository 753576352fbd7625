// The main window's pictures, drawn by the program itself: the title bar, the sidebar's
// group titles, the title-bar buttons and the sidebar's link icons.
#pragma once

#include <windows.h>

namespace pictures {

enum class TitleButton { Close, Maximize, Minimize, About, Help, Tray, Exit };

// A horizontal band in the program's colours with its name on the left.
HBITMAP TitleBar(int width, int height);
// A sidebar group's title background, closed or open.
HBITMAP GroupTitle(int width, int height, bool open);
// A 16 x 16 title-bar button glyph.
HICON TitleButtonIcon(TitleButton button);
// The 16 x 16 sidebar icon of that index (0 to 25); each index has its own glyph colour.
HICON SidebarIcon(int index);

// The main window's image list, which lists share: the sidebar icons (their glyph colours
// running on past the sidebar's last one), the software page's picture of an installed
// product, then the registry scan's pictures of a value and of a key with everything
// below it.
constexpr int productPicture = 30;
constexpr int registryValuePicture = 34;
constexpr int registryKeyPicture = 35;
constexpr int mainImageCount = 36;
HICON MainImage(int index);
// The 16 x 16 picture of a privacy group (0 to 5: browser, media player, error reports,
// services, messenger, other settings).
HICON PrivacyGroupPicture(int group);

} // namespace pictures
