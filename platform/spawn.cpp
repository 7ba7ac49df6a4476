#include "platform/spawn.h"

#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>
#include <vector>

namespace pukalo {

pid_t SpawnDetached(const QByteArray &program, const QByteArrayList &arguments, int input,
                    int output)
{
    posix_spawn_file_actions_t files;
    if (posix_spawn_file_actions_init(&files) != 0)
        return -1;
    posix_spawnattr_t attributes;
    if (posix_spawnattr_init(&attributes) != 0) {
        posix_spawn_file_actions_destroy(&files);
        return -1;
    }
    const auto stream = [&files](int from, int to, int mode) {
        return from >= 0 ? posix_spawn_file_actions_adddup2(&files, from, to)
                         : posix_spawn_file_actions_addopen(&files, to, "/dev/null", mode, 0);
    };
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    for (int signal : {SIGTERM, SIGHUP, SIGINT, SIGPIPE})
        sigaddset(&defaults, signal);
    const bool set =
        stream(input, STDIN_FILENO, O_RDONLY) == 0 &&
        stream(output, STDOUT_FILENO, O_WRONLY) == 0 && stream(-1, STDERR_FILENO, O_WRONLY) == 0 &&
        posix_spawn_file_actions_addclosefrom_np(&files, 3) == 0 &&
        posix_spawnattr_setsigmask(&attributes, &none) == 0 &&
        posix_spawnattr_setsigdefault(&attributes, &defaults) == 0 &&
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK |
                                                  POSIX_SPAWN_SETSIGDEF) == 0;
    std::vector<char *> argv{const_cast<char *>(program.constData())};
    for (const QByteArray &argument : arguments)
        argv.push_back(const_cast<char *>(argument.constData()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (!set || posix_spawn(&pid, program.constData(), &files, &attributes, argv.data(), environ))
        pid = -1;
    posix_spawn_file_actions_destroy(&files);
    posix_spawnattr_destroy(&attributes);
    return pid;
}

} // namespace pukalo
