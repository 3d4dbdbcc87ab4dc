#pragma once
// Windows colour values as the grid's settings hold them (INI values, options dialog):
// 0x00BBGGRR for a fixed colour, or the top bit set and a system colour index in the low
// byte (0x8000000F is the button face). System colours are taken from a QPalette, so they
// follow the desktop's theme as they would on Windows.

#include <QColor>
#include <QPalette>

#include <cstdint>

constexpr uint32_t clSystemColor = 0x80000000u;

// System colour indices (GetSysColor numbering) that the grid's defaults and the options use.
enum TSysColorIndex : uint32_t {
    COLOR_SCROLLBAR = 0,
    COLOR_BACKGROUND = 1,
    COLOR_ACTIVECAPTION = 2,
    COLOR_INACTIVECAPTION = 3,
    COLOR_MENU = 4,
    COLOR_WINDOW = 5,
    COLOR_WINDOWFRAME = 6,
    COLOR_MENUTEXT = 7,
    COLOR_WINDOWTEXT = 8,
    COLOR_CAPTIONTEXT = 9,
    COLOR_ACTIVEBORDER = 10,
    COLOR_INACTIVEBORDER = 11,
    COLOR_APPWORKSPACE = 12,
    COLOR_HIGHLIGHT = 13,
    COLOR_HIGHLIGHTTEXT = 14,
    COLOR_BTNFACE = 15,
    COLOR_BTNSHADOW = 16,
    COLOR_GRAYTEXT = 17,
    COLOR_BTNTEXT = 18,
    COLOR_INACTIVECAPTIONTEXT = 19,
    COLOR_BTNHIGHLIGHT = 20,
    COLOR_3DDKSHADOW = 21,
    COLOR_3DLIGHT = 22,
    COLOR_INFOTEXT = 23,
    COLOR_INFOBK = 24,
    COLOR_HOTLIGHT = 26,
    COLOR_GRADIENTACTIVECAPTION = 27,
    COLOR_GRADIENTINACTIVECAPTION = 28,
    COLOR_MENUHILIGHT = 29,
    COLOR_MENUBAR = 30,
};

// The colour a Windows colour value stands for. A system colour index without a palette role
// gives the palette's window colour; the unused byte of a fixed colour is ignored.
QColor ColorFromWin(uint32_t value, const QPalette& palette);

// The fixed Windows colour value (0x00BBGGRR) of a colour, e.g. for a colour dialog's answer.
uint32_t ColorToWin(const QColor& color);
