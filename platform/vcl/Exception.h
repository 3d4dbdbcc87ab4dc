#pragma once
// The general exception of the class library: one message text. Library code throws it (or a
// class derived from it) where the system raised the class library's exception; handlers show
// Message() to the user, so the text is UTF-8 and shown unchanged.

#include <exception>
#include <functional>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message);

    const std::string& Message() const { return m_message; }
    const char* what() const noexcept override;

private:
    std::string m_message;
};

// An exception caught in a view's event handling, handed to the view's handler; without one,
// or when the handler throws, written to standard error as "Fehler <ort>: <text>" (or
// "Unbekannter Fehler <ort>"). No exception leaves it.
void ReportViewException(const std::function<void(std::exception_ptr)>& handler, std::exception_ptr error,
                         const char* ort) noexcept;
