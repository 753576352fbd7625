// Making a menu entry in code as a form's design would: owner, name, caption and handler,
// added at the end of its parent. A caption of "-" makes a separator.
#pragma once

#include "toolkit/Menus.h"

#include <string>

TMenuItem* AddMenuEntry(TComponent* owner, TMenuItem* parent, const std::string& name, const std::string& caption,
                        TNotifyEvent onClick = nullptr);
// The same at the end of a menu's top items.
TMenuItem* AddMenuEntry(TComponent* owner, TMenu* menu, const std::string& name, const std::string& caption,
                        TNotifyEvent onClick = nullptr);
