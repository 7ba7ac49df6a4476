#pragma once

namespace pukalo {

// The start-up procedure: opens the splash window or, when the logo is switched off, the main
// window, and returns.
void Main();

} // namespace pukalo
