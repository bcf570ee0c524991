// SPDX-License-Identifier: MIT
#pragma once

#include <QMetaObject>
#include <QObject>
#include <QThreadPool>

#include <utility>

namespace sorvane {

/// Runs `work` on `pool`, then `done` with its result on the thread of `context`.
///
/// Not `QFuture::then(context, …)`: in Qt 6.4 that continuation is now and then never
/// called (one Desktop count in five was lost on a loaded machine), which would leave a
/// clean working for ever. `context` must outlive the work, as an owner that waits for its
/// pool in its destructor does; a result that arrives after `context` is gone goes with it.
template <typename Work, typename Done>
void runInBackground(QThreadPool& pool, QObject* context, Work work, Done done) {
    pool.start([context, work = std::move(work), done = std::move(done)]() mutable {
        QMetaObject::invokeMethod(
            context, [done = std::move(done), result = work()]() mutable { done(result); },
            Qt::QueuedConnection);
    });
}

} // namespace sorvane
