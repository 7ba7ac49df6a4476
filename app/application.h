#pragma once

namespace pukalo {

// Sets up the toolkit, runs the start-up procedure and then the event loop until the program
// ends. Returns the process exit status.
int RunApplication(int &argc, char **argv);

} // namespace pukalo
