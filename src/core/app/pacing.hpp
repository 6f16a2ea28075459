// The wait that ends a pass: no pass is shorter than 16 ms. It sleeps for most of the time and
// spins only through the last fraction of a millisecond (a sleep can overshoot by about that
// much), so an idle game leaves the processor alone.
#pragma once

#include <cstdint>

namespace wh {

inline constexpr uint32_t kPassMicros = 16000;
inline constexpr uint32_t kSpinMicros = 300;

// Microseconds of the pass still to wait. The unsigned difference keeps working when the
// counter wraps, so a wrap never skips a wait.
constexpr uint32_t passRemaining(uint32_t passstartMicros, uint32_t nowMicros) {
    const uint32_t elapsed = nowMicros - passstartMicros;
    return elapsed >= kPassMicros ? 0 : kPassMicros - elapsed;
}

// Clock: uint32_t micros(); void sleepMicros(uint32_t); void spin().
template <typename Clock> void waitPassEnd(uint32_t passstartMicros, Clock& clock) {
    for (;;) {
        const uint32_t left = passRemaining(passstartMicros, clock.micros());
        if (left == 0) {
            return;
        }
        if (left > kSpinMicros) {
            clock.sleepMicros(left - kSpinMicros);
        } else {
            clock.spin();
        }
    }
}

} // namespace wh
