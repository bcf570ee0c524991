// SPDX-License-Identifier: MIT
#pragma once

#include "updates/update_presenter.h"

#include <vector>

namespace sorvane::test {

/// Keeps the outcomes of update checks instead of showing dialogs.
class RecordingUpdatePresenter : public UpdatePresenter {
public:
    void present(const UpdateCheckResult& result) override { m_presented.push_back(result); }
    const std::vector<UpdateCheckResult>& presented() const { return m_presented; }

private:
    std::vector<UpdateCheckResult> m_presented;
};

} // namespace sorvane::test
