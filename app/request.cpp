#include "app/request.h"

#include <QStringList>
#include <string_view>

namespace pukalo {

Instance::Request RequestFromCommandLine(int argc, char **argv)
{
    Instance::Request request;
    if (argc > 1 && std::string_view(argv[1]) == "--find") {
        QStringList words;
        for (int i = 2; i < argc; ++i)
            words << QString::fromLocal8Bit(argv[i]);
        request.find = words.join(u' ');
    }
    request.startupId = qgetenv("DESKTOP_STARTUP_ID");
    request.activationToken = qgetenv("XDG_ACTIVATION_TOKEN");
    return request;
}

} // namespace pukalo
