// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

// A program run by a test and ended with it (SIGTERM, then SIGKILL when it lingers), in the
// test's environment with the entries of `changes` ("NAME=value") in place of those of the
// same name, in `workingDirectory` when given. Its output and errors go to the file `output`;
// without one, its errors go to the test's own and its output can be read here.
class ChildProcess : public QProcess {
public:
    explicit ChildProcess(const std::vector<std::string>& command,
                          const std::vector<std::string>& changes = {},
                          const std::string& workingDirectory = {}, const std::string& output = {});
    ~ChildProcess() override;

    int pid() const { return static_cast<int>(processId()); }
    // The exit code (-1 for a crash), or nullopt while it still runs after the timeout.
    std::optional<int> waitForExit(std::chrono::milliseconds timeout);
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
