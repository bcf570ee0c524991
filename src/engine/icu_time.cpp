#include "engine/icu_time.h"

#include <chrono>

namespace sorvane {

UDate IcuTime::toUDate(Timestamp time) {
    using namespace std::chrono;
    return duration<double, std::milli>(time.time_since_epoch()).count();
}

Timestamp IcuTime::fromUDate(UDate date) {
    using namespace std::chrono;
    return Timestamp(duration_cast<Timestamp::duration>(duration<double, std::milli>(date)));
}

} // namespace sorvane
