#include "support/ScriptedMessageBox.h"

TScriptedMessageBox::TScriptedMessageBox(int defaultAnswer) : m_default(defaultAnswer)
{
    m_previous = SetMessageBoxHook(
        [this](HWND, const std::string& text, const std::string& caption, UINT flags) {
            m_shown.push_back({text, caption, flags});
            if (m_script.empty())
                return m_default;
            int answer = m_script.front();
            m_script.pop_front();
            return answer;
        });
    m_previousInput = SetInputBoxHook(
        [this](HWND, const std::string& caption, const std::string& prompt, std::string& value) {
            m_shownInputs.push_back({caption, prompt, value});
            if (m_inputScript.empty())
                return true;
            TInput input = std::move(m_inputScript.front());
            m_inputScript.pop_front();
            value = std::move(input.text);
            return input.confirmed;
        });
}

TScriptedMessageBox::~TScriptedMessageBox()
{
    SetMessageBoxHook(std::move(m_previous));
    SetInputBoxHook(std::move(m_previousInput));
}
