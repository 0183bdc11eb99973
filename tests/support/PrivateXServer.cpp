// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/PrivateXServer.h"

#include "support/Patience.h"

ChildProcess::ChildProcess(const std::vector<std::string>& command,
                           const std::vector<std::string>& changes,
                           const std::string& workingDirectory, const std::string& output) {
    setProgram(QString::fromStdString(command.front()));
    QStringList arguments;
    for (auto argument = command.begin() + 1; argument != command.end(); ++argument)
        arguments << QString::fromStdString(*argument);
    setArguments(arguments);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const std::string& change : changes) {
        const std::size_t equals = change.find('=');
        environment.insert(QString::fromStdString(change.substr(0, equals)),
                           QString::fromStdString(change.substr(equals + 1)));
    }
    setProcessEnvironment(environment);
    setWorkingDirectory(QString::fromStdString(workingDirectory));
    setProcessChannelMode(output.empty() ? QProcess::ForwardedErrorChannel
                                         : QProcess::MergedChannels);
    if (!output.empty())
        setStandardOutputFile(QString::fromStdString(output));
    start();
    waitForStarted();
}

ChildProcess::~ChildProcess() {
    // ezQuake takes its time over SIGTERM, or ignores it.
    terminate();
    if (!waitForFinished(2000)) {
        kill();
        waitForFinished();
    }
}

std::optional<int> ChildProcess::waitForExit(std::chrono::milliseconds timeout) {
    if (state() != QProcess::NotRunning && !waitForFinished(static_cast<int>(timeout.count())))
        return std::nullopt;
    return exitStatus() == QProcess::NormalExit ? exitCode() : -1;
}

PrivateXServer::PrivateXServer(const std::vector<std::string>& options) {
    std::vector<std::string> command = {"Xvfb",         "-displayfd", "1",   "-screen", "0",
                                        "1280x1024x24", "-nolisten",  "tcp", "-noreset"};
    command.insert(command.end(), options.begin(), options.end());
    m_server.emplace(command);
    // The server writes its display number and a line end once it accepts clients.
    while (!m_server->canReadLine() && m_server->waitForReadyRead(kPatienceMs)) {
    }
    const std::string number = m_server->readLine().trimmed().toStdString();
    if (!number.empty())
        m_display = ":" + number;
}
