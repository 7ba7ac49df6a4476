#pragma once

#include <optional>

namespace pukalo {

// The catalogue for launchers and input methods, without a display and without a window:
// --list, --search WORDS..., --dictionary, --help and --version. Returns the exit status when
// the arguments asked for one of them (or for an option that does not exist); nothing when
// the program should open its windows (none, Qt's own, or --find [WORDS...]). None of these ever
// talks to a Pukalo that runs.
std::optional<int> RunCommandLine(int argc, char **argv);

} // namespace pukalo
