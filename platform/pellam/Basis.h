#pragma once
// The base of the node libraries' exceptions. A derived class takes the first five arguments
// (severity, message, place, source, position) and passes them on unchanged, adding its own
// class name as the last; the editor catches E_Basis and calls WriteMessage.

#include "vcl/Exception.h"

#include <string>

class E_Basis : public Exception {
public:
    // severity: 1 information, 2 warning, 3 and above error (picks the message box icon).
    // message: what went wrong; place, source: where (operation, unit); position: a number
    // that locates it further (0 when none).
    E_Basis(int severity, std::string message, std::string place, std::string source,
            int position, std::string className);

    int GetSeverity() const { return m_severity; }
    const std::string& GetPlace() const { return m_place; }
    const std::string& GetSource() const { return m_source; }
    int GetPosition() const { return m_position; }
    const std::string& GetClassName() const { return m_className; }

    // The text WriteMessage shows: the message, then, each on a line of its own after one
    // empty line, the place, the source and the position in brackets, each only when given.
    std::string GetText() const;
    // Reports the exception to the user: a message box (one OK button) captioned with the
    // class name, with GetText() and the icon of the severity.
    virtual void WriteMessage() const;

private:
    int m_severity;
    std::string m_place;
    std::string m_source;
    int m_position;
    std::string m_className;
};
