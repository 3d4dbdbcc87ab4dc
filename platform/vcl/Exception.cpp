#include "vcl/Exception.h"

#include <utility>

Exception::Exception(std::string message) : m_message(std::move(message)) {}

const char* Exception::what() const noexcept
{
    return m_message.c_str();
}
