// SPDX-License-Identifier: MIT
#pragma once

#include "updates/update_check_result.h"

namespace sorvane {

/// Shows the user the outcome of an update check.
class UpdatePresenter {
public:
    virtual ~UpdatePresenter() = default;
    virtual void present(const UpdateCheckResult& result) = 0;
};

} // namespace sorvane
