#pragma once
// A window for tests: it answers sent messages from a table of handlers (0 for a message
// without one) and records every send and post in the order they are made.

#include "win32/Windows.h"

#include <functional>
#include <map>
#include <ostream>
#include <vector>

struct TRecordedMessage {
    TMessageKind kind;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;

    bool operator==(const TRecordedMessage&) const = default;
};
std::ostream& operator<<(std::ostream& out, const TRecordedMessage& m);

// The entries a test expects in Messages().
inline TRecordedMessage SentMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return {TMessageKind::Send, message, wParam, lParam};
}
inline TRecordedMessage PostedMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return {TMessageKind::Post, message, wParam, lParam};
}

class TRecordingWindow {
public:
    using THandler = std::function<LRESULT(WPARAM, LPARAM)>;

    TRecordingWindow();
    ~TRecordingWindow();
    TRecordingWindow(const TRecordingWindow&) = delete;
    TRecordingWindow& operator=(const TRecordingWindow&) = delete;

    HWND Handle() const { return m_handle; }

    // Answers sends (and delivered posts) of this message id with the handler.
    void On(UINT message, THandler handler) { m_handlers[message] = std::move(handler); }
    void Answer(UINT message, LRESULT result)
    {
        On(message, [result](WPARAM, LPARAM) { return result; });
    }

    const std::vector<TRecordedMessage>& Messages() const { return m_messages; }
    std::vector<UINT> MessageIds() const;
    std::vector<TRecordedMessage> Posts() const;
    std::vector<TRecordedMessage> Sends() const;
    void Clear() { m_messages.clear(); }

private:
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_handle = nullptr;
    std::map<UINT, THandler> m_handlers;
    std::vector<TRecordedMessage> m_messages;
};
