#pragma once

#include "platform/instance.h"

namespace pukalo {

// What this start asks of Pukalo: `--find [WORDS...]` the search window with the words, else the
// main window; with the token its launcher put in its environment.
Instance::Request RequestFromCommandLine(int argc, char **argv);

} // namespace pukalo
