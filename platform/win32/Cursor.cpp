#include "win32/Cursor.h"

#include <utility>

namespace {
int g_cursor = crDefault;
TCursorHook& currentHook()
{
    static TCursorHook hook;
    return hook;
}
} // namespace

int GetScreenCursor()
{
    return g_cursor;
}

void SetScreenCursor(int cursor)
{
    g_cursor = cursor;
    if (auto& hook = currentHook())
        hook(cursor);
}

TCursorHook SetCursorHook(TCursorHook hook)
{
    return std::exchange(currentHook(), std::move(hook));
}
