#pragma once
// The general exception of the class library: one message text. Library code throws it (or a
// class derived from it) where the system raised the class library's exception; handlers show
// Message() to the user, so the text is UTF-8 and shown unchanged.

#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message);

    const std::string& Message() const { return m_message; }
    const char* what() const noexcept override;

private:
    std::string m_message;
};
