// TickTimer: a pause measured on the system's millisecond tick count, which
// wraps around at 2^32 (about every 49.7 days).
//
// It has elapsed when, with end = start + duration taken modulo 2^32:
//   - end did not wrap (end >= start): the current tick is above end or
//     below start (below start: the tick count itself wrapped meanwhile);
//   - end wrapped (end < start): the current tick is above end and below
//     start.
#ifndef RAVELUP_CORE_TICK_TIMER_H
#define RAVELUP_CORE_TICK_TIMER_H

#include <cstdint>

class TickTimer {
public:
    TickTimer(uint32_t start_tick, uint32_t duration_ms)
        : start_(start_tick), end_(start_tick + duration_ms) {}

    bool elapsed(uint32_t now) const
    {
        if (end_ >= start_)
            return now > end_ || now < start_;
        return now > end_ && now < start_;
    }

    // Milliseconds until the end (0 once elapsed), for waiting.
    uint32_t remaining(uint32_t now) const
    {
        if (elapsed(now))
            return 0;
        return end_ - now + 1;
    }

private:
    uint32_t start_;
    uint32_t end_;
};

#endif
