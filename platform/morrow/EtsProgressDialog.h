#pragma once
// The ETS progress meter as the editor drives it: a position and three text lines on a
// meter opened with TEts2Cdi::CoMeterDlgOpen, and the user's abort. What shows it is the
// meter display of TEts2Cdi.

#include "win32/Windows.h"

#include <cstdint>
#include <string>

class TEts2Cdi;

class TEtsProgressDialog {
public:
    // ets (not owned) may be null: the calls then do nothing and nothing aborts. meter is
    // the handle CoMeterDlgOpen gave; the caller closes it.
    TEtsProgressDialog(TEts2Cdi* ets, HWND meter);

    HWND GetMeter() const { return m_meter; }
    void EtsMeterSetPosition(std::uint16_t position);
    void EtsMeterSetText(const std::string& text);
    void EtsMeterSetText1(const std::string& text);
    void EtsMeterSetText2(const std::string& text);
    // True once the user pressed abort.
    bool EtsGetAbortFlag();

private:
    TEts2Cdi* m_ets;
    HWND m_meter;
};
