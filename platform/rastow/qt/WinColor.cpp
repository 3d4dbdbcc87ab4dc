#include "rastow/qt/WinColor.h"

namespace {

struct TRole {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

bool SystemRole(uint32_t index, TRole& found)
{
    constexpr auto A = QPalette::Active;
    switch (index) {
    case COLOR_SCROLLBAR: found = {A, QPalette::Button}; return true;
    case COLOR_BACKGROUND: found = {A, QPalette::Dark}; return true;
    case COLOR_ACTIVECAPTION: found = {A, QPalette::Highlight}; return true;
    case COLOR_INACTIVECAPTION: found = {QPalette::Inactive, QPalette::Highlight}; return true;
    case COLOR_MENU: found = {A, QPalette::Window}; return true;
    case COLOR_WINDOW: found = {A, QPalette::Base}; return true;
    case COLOR_WINDOWFRAME: found = {A, QPalette::Shadow}; return true;
    case COLOR_MENUTEXT: found = {A, QPalette::WindowText}; return true;
    case COLOR_WINDOWTEXT: found = {A, QPalette::Text}; return true;
    case COLOR_CAPTIONTEXT: found = {A, QPalette::HighlightedText}; return true;
    case COLOR_ACTIVEBORDER: found = {A, QPalette::Window}; return true;
    case COLOR_INACTIVEBORDER: found = {A, QPalette::Window}; return true;
    case COLOR_APPWORKSPACE: found = {A, QPalette::Mid}; return true;
    case COLOR_HIGHLIGHT: found = {A, QPalette::Highlight}; return true;
    case COLOR_HIGHLIGHTTEXT: found = {A, QPalette::HighlightedText}; return true;
    case COLOR_BTNFACE: found = {A, QPalette::Button}; return true;
    case COLOR_BTNSHADOW: found = {A, QPalette::Dark}; return true;
    case COLOR_GRAYTEXT: found = {QPalette::Disabled, QPalette::Text}; return true;
    case COLOR_BTNTEXT: found = {A, QPalette::ButtonText}; return true;
    case COLOR_INACTIVECAPTIONTEXT: found = {QPalette::Inactive, QPalette::HighlightedText}; return true;
    case COLOR_BTNHIGHLIGHT: found = {A, QPalette::Light}; return true;
    case COLOR_3DDKSHADOW: found = {A, QPalette::Shadow}; return true;
    case COLOR_3DLIGHT: found = {A, QPalette::Midlight}; return true;
    case COLOR_INFOTEXT: found = {A, QPalette::ToolTipText}; return true;
    case COLOR_INFOBK: found = {A, QPalette::ToolTipBase}; return true;
    case COLOR_HOTLIGHT: found = {A, QPalette::Link}; return true;
    case COLOR_GRADIENTACTIVECAPTION: found = {A, QPalette::Highlight}; return true;
    case COLOR_GRADIENTINACTIVECAPTION: found = {QPalette::Inactive, QPalette::Highlight}; return true;
    case COLOR_MENUHILIGHT: found = {A, QPalette::Highlight}; return true;
    case COLOR_MENUBAR: found = {A, QPalette::Window}; return true;
    default: return false;
    }
}

} // namespace

QColor ColorFromWin(uint32_t value, const QPalette& palette)
{
    if ((value & clSystemColor) != 0) {
        TRole role{QPalette::Active, QPalette::Window};
        SystemRole(value & 0xFFu, role);
        return palette.color(role.group, role.role);
    }
    return QColor(static_cast<int>(value & 0xFFu), static_cast<int>((value >> 8) & 0xFFu),
                  static_cast<int>((value >> 16) & 0xFFu));
}

uint32_t ColorToWin(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return static_cast<uint32_t>(rgb.red()) | (static_cast<uint32_t>(rgb.green()) << 8)
           | (static_cast<uint32_t>(rgb.blue()) << 16);
}
