#include "quillon/CursorHourGlass.h"

#include "tamsel/Tamsel.h"
#include "win32/Cursor.h"

TCursorHourGlass::TCursorHourGlass() : m_remembered(GetScreenCursor())
{
    LOG_FKT("TCursorHourGlass::TCursorHourGlass");
    SetScreenCursor(crHourGlass);
}

TCursorHourGlass::~TCursorHourGlass()
{
    LOG_FKT("TCursorHourGlass::~TCursorHourGlass");
    SetScreenCursor(m_remembered);
}
