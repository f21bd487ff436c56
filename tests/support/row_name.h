#pragma once

#include <cctype>
#include <string>

namespace corvalen::testing {

// A table row's name as GoogleTest accepts it in a test's name, so that the log says which row
// failed: "a crash on the error page" becomes "a_crash_on_the_error_page".
inline std::string rowName(const char* name)
{
    std::string id;
    for (const char* c = name; *c; ++c)
        id += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
    return id;
}

} // namespace corvalen::testing
