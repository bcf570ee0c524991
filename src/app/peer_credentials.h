// SPDX-License-Identifier: MIT
#pragma once

#include <QtGlobal>

namespace sorvane {

/// Who is at the other end of a local socket, in the kernel's own words (SO_PEERCRED): a
/// socket can be reached by anyone who gets hold of a descriptor to it, so neither end of
/// the instance channel takes the folder's permissions alone as proof.
class PeerCredentials {
public:
    static bool isThisUser(qintptr socketDescriptor);
};

} // namespace sorvane
