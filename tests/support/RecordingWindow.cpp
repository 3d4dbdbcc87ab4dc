#include "support/RecordingWindow.h"

std::ostream& operator<<(std::ostream& out, const TRecordedMessage& m)
{
    return out << (m.kind == TMessageKind::Send ? "send " : "post ") << "WM_USER+"
               << static_cast<long long>(m.message) - WM_USER << " (" << m.wParam << ", "
               << m.lParam << ")";
}

TRecordingWindow::TRecordingWindow()
{
    m_handle = CreateWindowHandle(
        [this](HWND, UINT message, WPARAM wParam, LPARAM lParam) {
            return Dispatch(message, wParam, lParam);
        });
    SetMessageObserver(m_handle, [this](TMessageKind kind, HWND, UINT message, WPARAM wParam,
                                        LPARAM lParam) {
        m_messages.push_back({kind, message, wParam, lParam});
    });
}

TRecordingWindow::~TRecordingWindow()
{
    DestroyWindow(m_handle);
}

LRESULT TRecordingWindow::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    auto it = m_handlers.find(message);
    return it == m_handlers.end() ? 0 : it->second(wParam, lParam);
}

std::vector<UINT> TRecordingWindow::MessageIds() const
{
    std::vector<UINT> ids;
    for (const auto& m : m_messages)
        ids.push_back(m.message);
    return ids;
}

std::vector<TRecordedMessage> TRecordingWindow::Posts() const
{
    std::vector<TRecordedMessage> out;
    for (const auto& m : m_messages)
        if (m.kind == TMessageKind::Post)
            out.push_back(m);
    return out;
}

std::vector<TRecordedMessage> TRecordingWindow::Sends() const
{
    std::vector<TRecordedMessage> out;
    for (const auto& m : m_messages)
        if (m.kind == TMessageKind::Send)
            out.push_back(m);
    return out;
}
