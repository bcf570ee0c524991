// SPDX-License-Identifier: MIT
#include "support/private_dbus.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace sorvane::test {
namespace {

// A session bus that owns any name for anyone and knows no service files.
std::string configFor(const std::filesystem::path& folder) {
    return "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
           " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
           "<busconfig>\n"
           "  <type>session</type>\n"
           "  <listen>unix:dir=" +
           folder.string() +
           "</listen>\n"
           "  <auth>EXTERNAL</auth>\n"
           "  <policy context=\"default\">\n"
           "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
           "    <allow eavesdrop=\"true\"/>\n"
           "    <allow own=\"*\"/>\n"
           "  </policy>\n"
           "</busconfig>\n";
}

/// The first line the daemon prints, waiting at most ten seconds for it.
std::string readLine(int fd) {
    std::string line;
    for (;;) {
        pollfd ready{fd, POLLIN, 0};
        if (::poll(&ready, 1, 10000) <= 0)
            return {};
        char c;
        const ssize_t count = ::read(fd, &c, 1);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0 || c == '\n')
            return line;
        line += c;
    }
}

} // namespace

PrivateDbus::PrivateDbus() {
    const std::filesystem::path config = m_folder.writeFile("bus.conf", configFor(m_folder.path()));
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        return;

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // dup2 clears close-on-exec on the copy, so the daemon keeps its end as descriptor 3.
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 3);
    // As root it complains that it may not raise its descriptor limit; that is no failure.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const std::string configArgument = "--config-file=" + config.string();
    char* argv[] = {
        const_cast<char*>("dbus-daemon"),       const_cast<char*>(configArgument.c_str()),
        const_cast<char*>("--nofork"),          const_cast<char*>("--nopidfile"),
        const_cast<char*>("--print-address=3"), nullptr};
    pid_t pid = -1;
    const int spawned = ::posix_spawnp(&pid, "dbus-daemon", &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (spawned == 0) {
        m_pid = pid;
        m_address = readLine(pipeFds[0]);
    }
    ::close(pipeFds[0]);
    if (!m_address.empty())
        m_env.set("DBUS_SESSION_BUS_ADDRESS", m_address);
}

PrivateDbus::~PrivateDbus() {
    if (m_pid <= 0)
        return;
    ::kill(m_pid, SIGTERM);
    int status = 0;
    while (::waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
    }
}

} // namespace sorvane::test
