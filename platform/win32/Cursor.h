#pragma once
// The screen cursor. Only the hour-glass matters to this system: it is shown while a long
// operation runs. Without a display the cursor is a plain value; the program installs a hook
// that shows it on screen.

#include <functional>

constexpr int crDefault = 0;
constexpr int crHourGlass = -11;

using TCursorHook = std::function<void(int cursor)>;

int GetScreenCursor();
void SetScreenCursor(int cursor);
TCursorHook SetCursorHook(TCursorHook hook);
