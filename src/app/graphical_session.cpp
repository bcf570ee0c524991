// SPDX-License-Identifier: MIT
#include "app/graphical_session.h"

#include "app/qt_arguments.h"

#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace sorvane {
namespace {

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// Through the X client library Qt's own platform uses, loaded only for this question, so
// that every form of DISPLAY and its authorisation are judged as Qt will judge them.
bool reachesX11(const std::string& display) {
    if (display.empty())
        return false;
    void* library = ::dlopen("libxcb.so.1", RTLD_LAZY | RTLD_LOCAL);
    if (!library)
        return true;
    using Connect = void* (*)(const char*, int*);
    using HasError = int (*)(void*);
    using Disconnect = void (*)(void*);
    const auto connect = reinterpret_cast<Connect>(::dlsym(library, "xcb_connect"));
    const auto hasError = reinterpret_cast<HasError>(::dlsym(library, "xcb_connection_has_error"));
    const auto disconnect = reinterpret_cast<Disconnect>(::dlsym(library, "xcb_disconnect"));
    bool reached = true;
    if (connect && hasError && disconnect) {
        void* connection = connect(display.c_str(), nullptr);
        reached = hasError(connection) == 0;
        disconnect(connection);
    }
    ::dlclose(library);
    return reached;
}

bool reachesWayland() {
    if (!environment("WAYLAND_SOCKET").empty())
        return true;
    std::string name = environment("WAYLAND_DISPLAY");
    if (name.empty())
        name = "wayland-0";
    const std::string path =
        name.front() == '/' ? name : environment("XDG_RUNTIME_DIR") + "/" + name;
    sockaddr_un address{};
    if (path.front() != '/' || path.size() >= sizeof address.sun_path)
        return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socket < 0)
        return false;
    const bool reached =
        ::connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(socket);
    return reached;
}

} // namespace

bool GraphicalSession::isReachable(const std::vector<std::string>& arguments) {
    std::string platforms = QtArguments::value(arguments, "platform").value_or("");
    if (platforms.empty())
        platforms = environment("QT_QPA_PLATFORM");
    if (platforms.empty())
        platforms = "xcb;wayland";
    const std::string display =
        QtArguments::value(arguments, "display").value_or(environment("DISPLAY"));
    // A list such as "wayland;xcb" is tried in order; "xcb:option" carries options.
    std::size_t start = 0;
    while (start <= platforms.size()) {
        const std::size_t end = std::min(platforms.find(';', start), platforms.size());
        const std::string entry = platforms.substr(start, end - start);
        const std::string name = entry.substr(0, entry.find(':'));
        start = end + 1;
        if (name == "xcb") {
            if (reachesX11(display))
                return true;
        } else if (name.rfind("wayland", 0) == 0) {
            if (reachesWayland())
                return true;
        } else if (!name.empty()) {
            return true;
        }
    }
    return false;
}

} // namespace sorvane
