#pragma once

namespace velk {

struct LocalTime {
    int year = 0;
    int month = 0; // 1..12
    int day = 0;
    int hour = 0; // 0..23
    int minute = 0;
    int second = 0;
};

// The machine's local date and time.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual LocalTime now() = 0;
};

} // namespace velk
