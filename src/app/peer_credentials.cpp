// SPDX-License-Identifier: MIT
#include "app/peer_credentials.h"

#include <sys/socket.h>
#include <unistd.h>

namespace sorvane {

bool PeerCredentials::isThisUser(qintptr socketDescriptor) {
    ucred credentials{};
    socklen_t size = sizeof credentials;
    return getsockopt(static_cast<int>(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &credentials,
                      &size) == 0 &&
           credentials.uid == getuid();
}

} // namespace sorvane
