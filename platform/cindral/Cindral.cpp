#include "cindral/Cindral.h"

#include <cstdio>
#include <utility>

namespace {
TDetailMessageBoxHook& currentHook()
{
    static TDetailMessageBoxHook hook;
    return hook;
}
} // namespace

TDetailMessageBoxHook SetDetailMessageBoxHook(TDetailMessageBoxHook hook)
{
    return std::exchange(currentHook(), std::move(hook));
}

void ShowDetailMessageBox(HWND owner, const std::string& text, const std::string& anwendung,
                          const std::string& details, const std::string& unit, int zeile,
                          const std::string& funktion, UINT icon)
{
    if (auto& hook = currentHook()) {
        hook(owner, text, anwendung, details, unit, zeile, funktion, icon);
        return;
    }
    std::fprintf(stderr, "[%s] %s\n%s\n(%s, Zeile %d, %s)\n", anwendung.c_str(), text.c_str(), details.c_str(),
                 unit.c_str(), zeile, funktion.c_str());
}
