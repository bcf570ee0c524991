// SPDX-License-Identifier: MIT
#pragma once

#include "app/instance_request.h"

#include <filesystem>
#include <optional>

namespace sorvane {

/// Hands a request to the running application and waits for its answer.
class InstanceClient {
public:
    /// The answer, or none when no application listens at `socket` or it did not answer
    /// within `timeoutMs` (a clean of many files may take a while).
    static std::optional<InstanceReply> send(const std::filesystem::path& socket,
                                             const InstanceRequest& request, int timeoutMs);
};

} // namespace sorvane
