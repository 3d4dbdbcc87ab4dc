#include "win32/MessageBox.h"

#include <cstdio>
#include <utility>

namespace {
TMessageBoxHook& currentHook()
{
    static TMessageBoxHook hook;
    return hook;
}

TInputBoxHook& currentInputBoxHook()
{
    static TInputBoxHook hook;
    return hook;
}
} // namespace

TMessageBoxHook SetMessageBoxHook(TMessageBoxHook hook)
{
    return std::exchange(currentHook(), std::move(hook));
}

int DefaultMessageBoxAnswer(UINT flags)
{
    switch (flags & MB_TYPEMASK) {
    case MB_ABORTRETRYIGNORE:
        return IDABORT;
    case MB_YESNOCANCEL:
    case MB_YESNO:
        return IDYES;
    case MB_RETRYCANCEL:
        return IDRETRY;
    default:
        return IDOK;
    }
}

namespace {
// The button's label as the German system shows it.
const char* ButtonText(int answer)
{
    switch (answer) {
    case IDCANCEL:
    case IDABORT:
        return "Abbrechen";
    case IDRETRY:
        return "Wiederholen";
    case IDIGNORE:
        return "Ignorieren";
    case IDYES:
        return "Ja";
    case IDNO:
        return "Nein";
    default:
        return "OK";
    }
}
} // namespace

int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags)
{
    if (auto& hook = currentHook())
        return hook(owner, text, caption, flags);
    const int answer = DefaultMessageBoxAnswer(flags);
    std::fprintf(stderr, "[%s] %s -> %s\n", caption.c_str(), text.c_str(), ButtonText(answer));
    return answer;
}

TInputBoxHook SetInputBoxHook(TInputBoxHook hook)
{
    return std::exchange(currentInputBoxHook(), std::move(hook));
}

std::string InputBox(HWND owner, const std::string& caption, const std::string& prompt,
                     const std::string& value)
{
    std::string text = value;
    if (auto& hook = currentInputBoxHook()) {
        hook(owner, caption, prompt, text);
        return text;
    }
    std::fprintf(stderr, "[%s] %s\n", caption.c_str(), prompt.c_str());
    return text;
}
