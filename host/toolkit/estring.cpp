#include "estring.h"

#include <cstdarg>
#include <cstdio>

#include "calltrace.h"

eString& eString::sprintf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (length < 0) {
        clear();
    } else {
        // vsnprintf writes a terminating NUL; std::string always has room for one.
        resize(static_cast<size_type>(length));
        std::vsnprintf(data(), static_cast<size_t>(length) + 1, format, args);
    }
    va_end(args);
    CallTrace::call(nullptr, "eString::sprintf", format, static_cast<const std::string&>(*this));
    return *this;
}
