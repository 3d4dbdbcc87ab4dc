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

int MessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags)
{
    if (auto& hook = currentHook())
        return hook(owner, text, caption, flags);
    std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
    return DefaultMessageBoxAnswer(flags);
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
