// The entry of the module that holds the windows (pukalo-gui.so), called by the program once it
// knows it is to open them.
#include "app/application.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT int pukalo_run_windows(int *argc, char **argv)
{
    return pukalo::RunApplication(*argc, argv);
}
