// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

// A program started by a test and ended with it (SIGTERM, then SIGKILL when it lingers), in
// the test's environment with the entries of `changes` ("NAME=value") in place of those of
// the same name; in `workingDirectory`, writing its output and errors to `output` and
// reading its input from `input` (a FIFO, held open so that it never ends) when these are
// given.
class ChildProcess {
public:
    explicit ChildProcess(std::vector<std::string> arguments, std::vector<std::string> changes = {},
                          const std::string& workingDirectory = {}, const std::string& output = {},
                          const std::string& input = {});
    ~ChildProcess() { stop(); }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    int pid() const { return m_pid; }
    // The exit code, or nullopt while it still runs after the timeout.
    std::optional<int> waitForExit(std::chrono::milliseconds timeout);
    void stop();

private:
    int m_pid = 0;
};

// An Xvfb of the test's own, for tests that would disturb others on the shared one (a
// window manager, a server without an extension). Ended with the object.
class PrivateXServer {
public:
    explicit PrivateXServer(const std::vector<std::string>& options = {});

    // ":N", or empty when the server did not start.
    const std::string& display() const { return m_display; }

private:
    std::optional<ChildProcess> m_server;
    std::string m_display;
};
