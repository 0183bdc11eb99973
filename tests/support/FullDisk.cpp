// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FullDisk.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

bool underFileSizeLimit(std::uintmax_t maxFileBytes, const std::function<bool()>& body) {
    const pid_t child = fork();
    if (child == -1)
        return false;
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{maxFileBytes, maxFileBytes};
        setrlimit(RLIMIT_FSIZE, &limit);
        // _exit: the child must not run the parent's exit handlers or flush its streams.
        _exit(body() ? 0 : 1);
    }
    int status = 0;
    return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
