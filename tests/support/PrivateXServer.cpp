// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/PrivateXServer.h"

#include "support/X11Desktop.h"

#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

ChildProcess::ChildProcess(std::vector<std::string> arguments, std::vector<std::string> changes,
                           const std::string& workingDirectory, const std::string& output,
                           const std::string& input) {
    // env(1) changes the environment and the working directory, then becomes the program.
    std::vector<std::string> command{"env"};
    if (!workingDirectory.empty())
        command.insert(command.end(), {"-C", workingDirectory});
    command.insert(command.end(), changes.begin(), changes.end());
    command.insert(command.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& argument : command)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!output.empty()) {
        posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
    }
    if (!input.empty())
        posix_spawn_file_actions_addopen(&actions, 0, input.c_str(), O_RDWR, 0);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0)
        m_pid = pid;
    posix_spawn_file_actions_destroy(&actions);
}

std::optional<int> ChildProcess::waitForExit(std::chrono::milliseconds timeout) {
    int status = 0;
    if (m_pid > 0 && !waitFor([&] { return waitpid(m_pid, &status, WNOHANG) == m_pid; }, timeout))
        return std::nullopt;
    m_pid = 0;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void ChildProcess::stop() {
    if (m_pid <= 0)
        return;
    // ezQuake takes its time over SIGTERM, or ignores it.
    kill(m_pid, SIGTERM);
    if (!waitForExit(std::chrono::seconds(2))) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
        m_pid = 0;
    }
}

PrivateXServer::PrivateXServer(const std::vector<std::string>& options) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return;
    std::vector<std::string> arguments = {"Xvfb",      "-displayfd", std::to_string(pipeEnds[1]),
                                          "-screen",   "0",          "1280x1024x24",
                                          "-nolisten", "tcp",        "-noreset"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    m_server.emplace(std::move(arguments), std::vector<std::string>{}, "", "/dev/null");
    close(pipeEnds[1]);
    // The server writes its display number and a line end once it accepts clients.
    std::string number;
    char c = 0;
    while (m_server->pid() > 0 && read(pipeEnds[0], &c, 1) == 1 && c != '\n')
        number += c;
    if (!number.empty())
        m_display = ":" + number;
    close(pipeEnds[0]);
}
