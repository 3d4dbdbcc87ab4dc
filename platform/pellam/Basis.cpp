#include "pellam/Basis.h"

#include "tamsel/Tamsel.h"
#include "win32/MessageBox.h"

#include <utility>

E_Basis::E_Basis(int severity, std::string message, std::string place, std::string source,
                 int position, std::string className)
    : Exception(std::move(message)), m_severity(severity), m_place(std::move(place)),
      m_source(std::move(source)), m_position(position), m_className(std::move(className))
{
    LOG_FKT("E_Basis::E_Basis");
}

std::string E_Basis::GetText() const
{
    LOG_FKT("E_Basis::GetText");
    std::string details;
    auto addLine = [&details](const std::string& line) {
        if (!details.empty())
            details += '\n';
        details += line;
    };
    if (!m_place.empty())
        addLine(m_place);
    if (!m_source.empty())
        addLine(m_source);
    if (m_position != 0)
        addLine("(" + std::to_string(m_position) + ")");
    if (details.empty())
        return Message();
    return Message() + "\n\n" + details;
}

void E_Basis::WriteMessage() const
{
    LOG_FKT("E_Basis::WriteMessage");
    UINT icon = MB_ICONINFORMATION;
    if (m_severity >= 3)
        icon = MB_ICONERROR;
    else if (m_severity == 2)
        icon = MB_ICONWARNING;
    MessageBox(nullptr, GetText(), m_className, MB_OK | icon);
}
