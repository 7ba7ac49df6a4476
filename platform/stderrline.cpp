#include "platform/stderrline.h"

#include "platform/programinfo.h"

#include <cstdarg>
#include <cstdio>
#include <string>
#include <unistd.h>

namespace pukalo {

void StderrLine(const char *format, ...)
{
    std::va_list arguments, again;
    va_start(arguments, format);
    va_copy(again, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, arguments);
    va_end(arguments);
    std::string line = std::string(program::kCommand) + ": ";
    const size_t prefix = line.size();
    line.resize(prefix + size_t(std::max(length, 0)) + 1);
    std::vsnprintf(line.data() + prefix, line.size() - prefix, format, again);
    va_end(again);
    line.back() = '\n';
    std::fflush(stderr);
    for (size_t written = 0; written < line.size();) {
        const ssize_t n = write(STDERR_FILENO, line.data() + written, line.size() - written);
        if (n <= 0)
            break;
        written += size_t(n);
    }
}

} // namespace pukalo
