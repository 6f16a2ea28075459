// A window timer with a fixed interval: it ticks at an event step once its interval has passed
// since it was enabled or last ticked. At most one tick waits; missed ones are not made up.
#pragma once

#include <cstdint>

namespace wh {

struct Timer {
    uint32_t interval = 0; // milliseconds
    bool enabled = false;
    uint32_t since = 0; // tick count when enabled or when it last ticked

    void setEnabled(bool on, uint32_t now) {
        if (on && !enabled) {
            since = now;
        }
        enabled = on;
    }
    // True once per elapsed interval; the unsigned difference survives the counter's wrap.
    bool due(uint32_t now) {
        if (!enabled || now - since < interval) {
            return false;
        }
        since = now;
        return true;
    }
};

} // namespace wh
