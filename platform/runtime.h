#pragma once

#include <functional>

namespace pukalo {

// Ends the program at once: no further handler of any window runs, not even a close or
// unload handler. Returns to the caller, which must not do anything afterwards.
void End();
bool HasEnded();

// Tests watch End instead of having the process end under them.
void SetEndHookForTesting(std::function<void(int status)> hook);
void ResetEndForTesting();

} // namespace pukalo
