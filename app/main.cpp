#include "app/commandline.h"
#include "platform/guimodule.h"

int main(int argc, char **argv)
{
    if (const std::optional<int> status = pukalo::RunCommandLine(argc, argv))
        return *status;
    if (pukalo::PassToRunning(argc, argv))
        return 0;
    return pukalo::RunWindows(argc, argv);
}
