#pragma once

#include <functional>

namespace pukalo {

// SIGTERM, SIGHUP and SIGINT arrive as a call of `handler` on the user-interface thread, so
// that a kill or the end of the terminal session closes the program the orderly way.
void RouteTerminationSignals(std::function<void()> handler);

} // namespace pukalo
