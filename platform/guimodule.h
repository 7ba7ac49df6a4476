#pragma once

namespace pukalo {

// The windows live in a module of their own (pukalo-gui.so), loaded only when the program opens
// them: the command line (--search, --list, --dictionary) then starts without loading the GUI
// libraries, several times faster. Loads the module beside the program, or where it is
// installed, and runs the windows until the program ends; the exit status. Says so on standard
// error and returns 2 when the module cannot be loaded.
int RunWindows(int &argc, char **argv);

// Hands this start to the Pukalo already running, through the module pukalo-call.so (the
// session bus's libraries are loaded with it, and only for this): true when it took it. False
// when this process is to open the windows, also where the module is missing.
bool PassToRunning(int argc, char **argv);

} // namespace pukalo
