// SKY_DEBUG_TICKS: how often pohyb runs.
#include "qt/tickprobe.h"

#include <cstdio>

#include "playfield/gamescreen.h"
#include "qt/driver.h"
#include "shell/program.h"

namespace sky::qt {

TickProbe::TickProbe(Program& program, Driver& driver) : program_(program), driver_(driver) {}

TickProbe::~TickProbe() = default;

void TickProbe::screenOpened(GameScreen& s) {
    pohybTicks_ = 0;
    realSinceOpen_.start();
    clockAtOpen_ = program_.scheduler().now();
    Timer* pohyb = s.pohyb;
    probe_ =
        std::make_unique<Timer>(program_.scheduler(), "probe", pohyb ? pohyb->interval() : 10, true, 99, [this, pohyb] {
            if (pohyb && pohyb->enabled() && !pohyb->busy()) ++pohybTicks_;
        });
}

void TickProbe::screenClosed(GameScreen& s) {
    report(s.name().c_str());
    probe_.reset();
    realSinceOpen_.invalidate();
}

void TickProbe::report(const char* when) {
    if (realSinceOpen_.isValid())
        std::fprintf(stderr, "skyrend: %s: pohyb ticks %lld in %.1f ms of clock time, %.1f ms of real time\n", when,
                     pohybTicks_, (program_.scheduler().now() - clockAtOpen_) / 1000.0,
                     realSinceOpen_.nsecsElapsed() / 1e6);
    std::fprintf(stderr, "skyrend: %s: since start %.1f ms of clock time added in %.1f ms of real time (%lld steps)\n",
                 when, driver_.advanced() / 1000.0, driver_.realElapsedNs() / 1e6,
                 static_cast<long long>(driver_.steps()));
}

}  // namespace sky::qt
