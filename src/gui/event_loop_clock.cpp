#include "gui/event_loop_clock.h"

#include <QEventLoop>
#include <QTimer>

namespace fq {

std::int64_t EventLoopClock::now() {
    return WholeSecondsNow();
}

void EventLoopClock::waitUntilPast(std::int64_t mark) {
    while (WholeSecondsNow() <= mark) {
        QEventLoop loop;
        QTimer::singleShot(TimeUntilPast(mark), Qt::PreciseTimer, &loop, &QEventLoop::quit);
        // An application that is quitting ends every loop at once.
        if (loop.exec() != 0) {
            return;
        }
    }
}

} // namespace fq
