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

// The entry of a module beside the program or where it is installed; null, and why, where none
// loads.
void *moduleEntry(const char *file, const char *entry, std::string &tried)
{
    const std::string folder = programFolder();
    for (const char *relative : {"", "/" PUKALO_GUI_FROM_BIN}) {
        const std::string path = folder + relative + "/" + file;
        // Lazily bound, as the libraries of a program are.
        if (void *module = dlopen(path.c_str(), RTLD_LAZY | RTLD_LOCAL)) {
            if (void *function = dlsym(module, entry))
                return function;
        }
        tried += std::string("\n  ") + dlerror();
    }
    return nullptr;
}
} // namespace

int RunWindows(int &argc, char **argv)
{
    std::string tried;
    if (auto run = reinterpret_cast<int (*)(int *, char **)>(
            moduleEntry("pukalo-gui.so", "pukalo_run_windows", tried)))
        return run(&argc, argv);
    StderrLine("cannot load its windows:%s", tried.c_str());
    return 2;
}

bool PassToRunning(int argc, char **argv)
{
    std::string tried;
    auto pass = reinterpret_cast<bool (*)(int, char **)>(
        moduleEntry("pukalo-call.so", "pukalo_pass_to_running", tried));
    return pass && pass(argc, argv);
}

} // namespace pukalo
