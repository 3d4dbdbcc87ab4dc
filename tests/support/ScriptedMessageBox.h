#pragma once
// Points the message-box hook at a scripted answerer for the lifetime of the object: every
// box shown is recorded (text, caption, flags) and answered with the next scripted answer,
// or with the default answer once the script is used up.

#include "win32/MessageBox.h"

#include <deque>
#include <string>
#include <vector>

struct TShownBox {
    std::string text;
    std::string caption;
    UINT flags;
};

class TScriptedMessageBox {
public:
    explicit TScriptedMessageBox(int defaultAnswer = IDOK);
    ~TScriptedMessageBox();
    TScriptedMessageBox(const TScriptedMessageBox&) = delete;
    TScriptedMessageBox& operator=(const TScriptedMessageBox&) = delete;

    void Script(int answer) { m_script.push_back(answer); }
    const std::vector<TShownBox>& Shown() const { return m_shown; }
    std::size_t Count() const { return m_shown.size(); }

private:
    TMessageBoxHook m_previous;
    int m_default;
    std::deque<int> m_script;
    std::vector<TShownBox> m_shown;
};
