#pragma once

namespace pukalo {

// Says one thing on standard error, as "pukalo: " and the text of a printf format, on a line
// of its own, written at once so that it never mixes with another process's line.
void StderrLine(const char *format, ...) __attribute__((format(printf, 1, 2)));

} // namespace pukalo
