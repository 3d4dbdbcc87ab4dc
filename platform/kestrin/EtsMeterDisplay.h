#pragma once
// What shows the ETS progress meter (CoMeterDlgOpen ... CoMeterDlgClose and the support
// class TEtsProgressDialog). ETS draws it; here a display object does: the program gives a
// dialog, tests give TEtsMeterRecorder (tests/support), and without one a meter writes its
// caption and texts as lines on standard error (TEtsMeterStderr).
//
// A meter is a window handle made by CoMeterDlgOpen; the display gets it with every call.

#include "win32/Windows.h"

#include <cstdint>
#include <string>

class TEtsMeterDisplay {
public:
    virtual ~TEtsMeterDisplay() = default;

    virtual void Open(HWND meter, HWND owner, unsigned kind) = 0;
    virtual void SetCaption(HWND meter, const std::string& caption) = 0;
    virtual void SetPosition(HWND meter, std::uint16_t position) = 0;
    // line 0 is the main text, 1 and 2 the two lines below it.
    virtual void SetText(HWND meter, int line, const std::string& text) = 0;
    // True once the user asked to abort; the caller stops its loop.
    virtual bool AbortRequested(HWND meter) = 0;
    virtual void Close(HWND meter) = 0;
};

// The display without a screen: caption and texts as lines on standard error (an empty
// text writes nothing); positions are not written; never aborts.
class TEtsMeterStderr : public TEtsMeterDisplay {
public:
    void Open(HWND, HWND, unsigned) override {}
    void SetCaption(HWND meter, const std::string& caption) override;
    void SetPosition(HWND, std::uint16_t) override {}
    void SetText(HWND meter, int line, const std::string& text) override;
    bool AbortRequested(HWND) override { return false; }
    void Close(HWND) override {}
};
