#pragma once
// Shows the hour-glass cursor on the screen for as long as the guard lives: made at the start
// of a long operation, it remembers the screen's cursor and shows the hour-glass; destroyed on
// any way out (exceptions included), it puts the remembered cursor back. Guards nest: each
// restores what it found.

#include "quillon/QuillonExport.h"

class QUILLON_EXPORT TCursorHourGlass {
public:
    TCursorHourGlass();
    ~TCursorHourGlass();
    TCursorHourGlass(const TCursorHourGlass&) = delete;
    TCursorHourGlass& operator=(const TCursorHourGlass&) = delete;

    // The cursor the screen showed when the guard was made.
    int GetRemembered() const { return m_remembered; }

private:
    int m_remembered;
};
