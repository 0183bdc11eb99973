#pragma once

#include <string>
#include <vector>

// An Xvfb of the test's own, for tests that would disturb others on the shared one (a
// window manager, a server without an extension). Ended with the object.
class PrivateXServer {
public:
    explicit PrivateXServer(const std::vector<std::string>& options = {});
    ~PrivateXServer();
    PrivateXServer(const PrivateXServer&) = delete;
    PrivateXServer& operator=(const PrivateXServer&) = delete;

    // ":N", or empty when the server did not start.
    const std::string& display() const { return m_display; }

private:
    int m_pid = 0;
    std::string m_display;
};
