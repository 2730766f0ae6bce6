#pragma once

namespace penlark {

// The local date and time, as the wall clock shows it.
struct LocalDateTime {
    int year = 2000;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
    int hour = 0;   // 0..23
    int minute = 0;
    int second = 0;
};

// Where "now" comes from; tests fix it.
class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalDateTime now() const = 0;
};

class SystemClock final : public Clock {
public:
    LocalDateTime now() const override;
};

} // namespace penlark
