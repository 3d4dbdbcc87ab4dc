#pragma once
// Points the message-box and input-box hooks at a scripted answerer for the lifetime of the
// object: every box shown is recorded (text, caption, flags) and answered with the next
// scripted answer, or with the default answer once the script is used up. Input boxes are
// recorded likewise and answered with the next scripted input, or left unchanged and
// confirmed once that script is used up.

#include "win32/MessageBox.h"

#include <deque>
#include <string>
#include <vector>

struct TShownBox {
    std::string text;
    std::string caption;
    UINT flags;
};

struct TShownInputBox {
    std::string caption;
    std::string prompt;
    std::string value; // as the box was opened
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

    // The text the next input box closes with; confirmed false = cancelled.
    void ScriptInput(std::string text, bool confirmed = true)
    {
        m_inputScript.push_back({std::move(text), confirmed});
    }
    const std::vector<TShownInputBox>& ShownInputs() const { return m_shownInputs; }

private:
    struct TInput {
        std::string text;
        bool confirmed;
    };

    TMessageBoxHook m_previous;
    TInputBoxHook m_previousInput;
    int m_default;
    std::deque<int> m_script;
    std::vector<TShownBox> m_shown;
    std::deque<TInput> m_inputScript;
    std::vector<TShownInputBox> m_shownInputs;
};
