#pragma once
// The main window as the device instance's tests need it: a window whose procedure hands the
// instance's messages to the current instance through DevInstMessage, the route the editor's
// dispatcher takes too; every other message goes to a procedure the test may set.

#include "miraval/devinst/DevInstMessage.h"

#include <utility>

class TInstanzFenster {
public:
    TInstanzFenster()
    {
        m_handle = CreateWindowHandle([this](HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
            bool handled = false;
            const LRESULT antwort = DevInstMessage(m_instanz, window, msg, wParam, lParam, handled);
            if (handled || !m_sonstige)
                return antwort;
            return m_sonstige(window, msg, wParam, lParam);
        });
    }
    ~TInstanzFenster() { DestroyWindow(m_handle); }
    TInstanzFenster(const TInstanzFenster&) = delete;
    TInstanzFenster& operator=(const TInstanzFenster&) = delete;

    HWND Handle() const { return m_handle; }
    void SetAktDevInst(TDeviceInstanz* instanz) { m_instanz = instanz; }
    TDeviceInstanz* GetAktDevInst() const { return m_instanz; }
    void SetSonstige(WNDPROC sonstige) { m_sonstige = std::move(sonstige); }

private:
    HWND m_handle = nullptr;
    TDeviceInstanz* m_instanz = nullptr;
    WNDPROC m_sonstige;
};
