#pragma once

namespace pukalo {

// The start-up procedure: opens the splash window or, when the logo is switched off, the main
// window, and returns. A failing step is skipped silently and the next one runs.
void Main();

} // namespace pukalo
