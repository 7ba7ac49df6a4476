#include "app/application.h"
#include "app/commandline.h"

int main(int argc, char **argv)
{
    if (const std::optional<int> status = pukalo::RunCommandLine(argc, argv))
        return *status;
    return pukalo::RunApplication(argc, argv);
}
