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
}

TScriptedMessageBox::~TScriptedMessageBox()
{
    SetMessageBoxHook(std::move(m_previous));
}
