// The entry of the module that hands a start to the Pukalo already running (pukalo-call.so),
// loaded by the program only when it is to open its windows: the command line starts without
// the session bus's libraries.
#include "app/request.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT bool pukalo_pass_to_running(int argc, char **argv)
{
    return pukalo::Instance::PassToRunning(pukalo::RequestFromCommandLine(argc, argv));
}
