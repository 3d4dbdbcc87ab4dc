#include "vcl/Exception.h"

#include <cstdio>
#include <utility>

Exception::Exception(std::string message) : m_message(std::move(message)) {}

const char* Exception::what() const noexcept
{
    return m_message.c_str();
}

void ReportViewException(const std::function<void(std::exception_ptr)>& handler, std::exception_ptr error,
                         const char* ort) noexcept
{
    if (handler) {
        try {
            handler(error);
            return;
        } catch (...) {
            // fall through to the plain report
        }
    }
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Fehler %s: %s\n", ort, e.what());
    } catch (...) {
        std::fprintf(stderr, "Unbekannter Fehler %s\n", ort);
    }
}
