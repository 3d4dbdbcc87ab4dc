#include "kestrin/EtsMeterDisplay.h"

#include <iostream>

void TEtsMeterStderr::SetCaption(HWND, const std::string& caption)
{
    if (!caption.empty())
        std::cerr << "ETS: " << caption << '\n';
}

void TEtsMeterStderr::SetText(HWND, int, const std::string& text)
{
    if (!text.empty())
        std::cerr << "ETS: " << text << '\n';
}
