#include "platform/guimodule.h"

#include "platform/stderrline.h"

#include <dlfcn.h>
#include <string>
#include <unistd.h>

namespace pukalo {

namespace {
// The folder of the running program, from the kernel rather than argv[0] or the current folder.
std::string programFolder()
{
    std::string path(4096, '\0');
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (length <= 0)
        return {};
    path.resize(size_t(length));
    return path.substr(0, path.rfind('/'));
}
} // namespace

int RunWindows(int &argc, char **argv)
{
    const std::string folder = programFolder();
    std::string tried;
    for (const char *relative : {"", "/" PUKALO_GUI_FROM_BIN}) {
        const std::string path = folder + relative + "/pukalo-gui.so";
        // Lazily bound, as the libraries of a program are.
        if (void *module = dlopen(path.c_str(), RTLD_LAZY | RTLD_LOCAL)) {
            using Run = int (*)(int *, char **);
            if (auto run = reinterpret_cast<Run>(dlsym(module, "pukalo_run_windows")))
                return run(&argc, argv);
        }
        tried += std::string("\n  ") + dlerror();
    }
    StderrLine("cannot load its windows:%s", tried.c_str());
    return 2;
}

} // namespace pukalo
