// SKY_DEBUG_TICKS: counts how often a screen's pohyb timer runs against clock and real time,
// and reports it on stderr when the screen closes and when the program ends.
#pragma once

#include <QElapsedTimer>
#include <memory>

#include "runtime/scheduler.h"

namespace sky {
class GameScreen;
class Program;
}  // namespace sky

namespace sky::qt {

class Driver;

class TickProbe {
public:
    TickProbe(Program& program, Driver& driver);
    ~TickProbe();

    // A timer on the same clock with pohyb's interval, started with it: it fires when pohyb does.
    void screenOpened(GameScreen& s);
    void screenClosed(GameScreen& s);
    void report(const char* when);

private:
    Program& program_;
    Driver& driver_;
    std::unique_ptr<Timer> probe_;
    long long pohybTicks_ = 0;
    QElapsedTimer realSinceOpen_;
    Micros clockAtOpen_ = 0;
};

}  // namespace sky::qt
