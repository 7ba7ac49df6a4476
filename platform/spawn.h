#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <sys/types.h>

namespace pukalo {

// Starts a helper that may outlive the program (the clipboard keeper, wl-copy): in a session of
// its own, so that the end of a terminal that started Pukalo does not end it too; with no signal
// blocked and the ones Pukalo handles or ignores at their defaults; standard input and output on
// the descriptors given, or /dev/null for -1; standard error on /dev/null and nothing else of
// Pukalo's open. The arguments follow the program's own name. The process id, or -1.
pid_t SpawnDetached(const QByteArray &program, const QByteArrayList &arguments, int input = -1,
                    int output = -1);

} // namespace pukalo
