#include "support/EtsMeterRecorder.h"

std::ostream& operator<<(std::ostream& out, const TMeterCall& call)
{
    static const char* const names[] = {"Open", "Caption", "Position", "Text", "Close"};
    return out << names[static_cast<int>(call.kind)] << "(" << call.meter << ", " << call.value << ", \""
               << call.text << "\")";
}

void TEtsMeterRecorder::Open(HWND meter, HWND owner, unsigned kind)
{
    m_owner = owner;
    m_calls.push_back({TMeterCall::TKind::Open, meter, static_cast<int>(kind), {}});
}

void TEtsMeterRecorder::SetCaption(HWND meter, const std::string& caption)
{
    m_calls.push_back({TMeterCall::TKind::Caption, meter, 0, caption});
}

void TEtsMeterRecorder::SetPosition(HWND meter, std::uint16_t position)
{
    m_calls.push_back({TMeterCall::TKind::Position, meter, position, {}});
}

void TEtsMeterRecorder::SetText(HWND meter, int line, const std::string& text)
{
    m_calls.push_back({TMeterCall::TKind::Text, meter, line, text});
}

bool TEtsMeterRecorder::AbortRequested(HWND)
{
    ++m_questions;
    return m_abort || (m_abortAt > 0 && m_questions >= m_abortAt);
}

void TEtsMeterRecorder::Close(HWND meter)
{
    m_calls.push_back({TMeterCall::TKind::Close, meter, 0, {}});
}
