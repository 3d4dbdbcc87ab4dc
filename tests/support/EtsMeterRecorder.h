#pragma once
// A meter display for tests: it records every call in order and answers the abort flag
// the test sets.

#include "kestrin/EtsMeterDisplay.h"

#include <ostream>
#include <vector>

struct TMeterCall {
    enum class TKind { Open, Caption, Position, Text, Close };
    TKind kind;
    HWND meter;
    int value = 0;          // Open: kind; Position: position; Text: line
    std::string text;       // Caption, Text

    bool operator==(const TMeterCall&) const = default;
};
std::ostream& operator<<(std::ostream& out, const TMeterCall& call);

class TEtsMeterRecorder : public TEtsMeterDisplay {
public:
    void Open(HWND meter, HWND owner, unsigned kind) override;
    void SetCaption(HWND meter, const std::string& caption) override;
    void SetPosition(HWND meter, std::uint16_t position) override;
    void SetText(HWND meter, int line, const std::string& text) override;
    bool AbortRequested(HWND meter) override;
    void Close(HWND meter) override;

    // From now on every meter reports an abort (or no longer does).
    void SetAbort(bool abort) { m_abort = abort; }
    // The abort is reported from the n-th question on (1 = the next one).
    void AbortAtQuestion(int n) { m_abortAt = m_questions + n; }

    const std::vector<TMeterCall>& Calls() const { return m_calls; }
    HWND LastOwner() const { return m_owner; }
    int Questions() const { return m_questions; }

private:
    std::vector<TMeterCall> m_calls;
    HWND m_owner = nullptr;
    bool m_abort = false;
    int m_questions = 0;
    int m_abortAt = 0;
};
