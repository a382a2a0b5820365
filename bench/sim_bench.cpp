// Headless simulation speed: an hour of seeded play on each screen with a scripted pilot, at the
// nominal pace (where the timers fire most often), and the cost of one world-scroll tick.
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string_view>

#include "assets/pictures.h"
#include "episode1/form1.h"
#include "episode2/form2.h"
#include "game/recording.h"
#include "game/screens.h"
#include "scenario/headless.h"
#include "shell/menu.h"
#include "shell/program.h"

namespace {

using namespace sky;
using Clock = std::chrono::steady_clock;

class BenchFrontEnd : public FrontEnd {
public:
    int boxes = 0;
    int messageBox(const std::string&, const std::string&, int style) override {
        ++boxes;
        return style == kQuestion ? kYes : kOk;
    }
    void music(const std::string&) override {}
    void showMenu() override {}
    void hideMenu() override {}
    std::uint64_t clockSeed() override { return 1; }
    void quit() override {}
};

// A pilot who keeps the aircraft between the houses and the clouds, speeds up and slows down,
// and fires now and then. Deterministic: driven by the game's clock only.
void pilot(GameScreen& s, Micros now) {
    const std::int64_t step = now / ms(50);
    if (s.dravik.Top > 300 && s.tilt < 2) s.Form_KeyDown(kKeyUp);
    if (s.dravik.Top < 120 && s.tilt > -2) s.Form_KeyDown(kKeyDown);
    if (step % 40 == 0) s.Form_KeyDown(step % 80 == 0 ? kKeyRight : kKeyLeft);
    if (step % 7 == 0) s.Form_KeyDown(kKeySpace);
}

struct Result {
    double simulated, wall;
    int games, boxes;
};

// One 50 ms step of the clock and the pilot's answer. Out of line: the browser's engine swaps in
// its optimised code for a function only at the function's next call, so the loop that calls
// this must not hold the work itself.
[[gnu::noinline]] void step(Program& p) {
    p.scheduler().advance(ms(50));
    if (GameScreen* s = p.screen()) pilot(*s, p.scheduler().now());
    p.collect();
}

Result simulate(int episode, double seconds) {
    BenchFrontEnd fe;
    Program p(fe, gameScreens(), "/nonexistent-skyrend-bench/new.dat");
    p.progress().ep2Unlocked = "True";
    std::uint64_t seed = 1;
    int games = 0;
    const auto start = Clock::now();
    const Micros end = ms(static_cast<std::int64_t>(seconds * 1000));
    while (p.scheduler().now() < end) {
        if (!p.screen()) {
            p.setNextSeed(seed++);
            episode == 1 ? p.openForm1() : p.openForm2();
            ++games;
        }
        step(p);
    }
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    return {seconds, wall, games, fe.boxes};
}

double pohybNanos(int episode) {
    BenchFrontEnd fe;
    Program p(fe, gameScreens(), "/nonexistent-skyrend-bench/new.dat");
    p.setNextSeed(7);
    GameScreen& s = episode == 1 ? p.openForm1() : p.openForm2();
    const int n = 2000000;
    std::function<void()> tick = episode == 1 ? std::function<void()>([&] { static_cast<Form1&>(s).pohyb_Timer(); })
                                              : std::function<void()>([&] { static_cast<Form2&>(s).pohyb_Timer(); });
    s.speed = 7;
    const auto start = Clock::now();
    for (int i = 0; i < n; ++i) {
        tick();
        // Keep the lighthouse ahead, so episode 2 is not lost mid-measurement.
        if (episode == 2) static_cast<Form2&>(s).majak.Left = 4000;
    }
    return std::chrono::duration<double, std::nano>(Clock::now() - start).count() / n;
}

// Each episode's run in its own function that is never inlined, so an instruction counter
// (callgrind) gives each episode's cost as that function's inclusive cost.
[[gnu::noinline]] Result simulateEpisode1(double seconds) {
    return simulate(1, seconds);
}
[[gnu::noinline]] Result simulateEpisode2(double seconds) {
    return simulate(2, seconds);
}

void printRun(int episode, const Result& r) {
    std::printf("episode %d: %.0f simulated s in %.3f wall s, %d games, %d message boxes\n", episode, r.simulated,
                r.wall, r.games, r.boxes);
    std::printf("simulation: %.0f simulated seconds per wall second\n", r.simulated / r.wall);
}

#ifndef __EMSCRIPTEN__
// A long recording played headless: its events are streamed, so memory stays flat whatever its
// length. Prints the wall time and the peak memory the process reached.
long peakRssMb();

void replayFigures(int events) {
    const long before = peakRssMb();
    const std::string path = "/tmp/skyrend-bench-" + std::to_string(::getpid()) + ".replay";
    double fileMb = 0;
    {
        std::ofstream f(path, std::ios::binary);
        f << "skyrend-replay 1\npace classic\n0 activate\n";
        for (int i = 0; i < events; ++i) f << 1000 + i * 10 << " key " << 37 + i % 4 << "\n";
        f << 1000 + events * 10LL << " end\n";
        fileMb = static_cast<double>(f.tellp()) / (1 << 20);
    }
    const auto start = Clock::now();
    std::ostringstream out, err;
    replay::runReplayFile(path, out, err);
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    std::remove(path.c_str());
    std::printf("replay of %d events (%.0f MB file): %.2f wall s, peak memory %ld MB (%ld MB before it)\n", events,
                fileMb, wall, peakRssMb(), before);
}

long peakRssMb() {
    rusage u{};
    ::getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024;
}
#endif

}  // namespace

int main(int argc, char** argv) {
    // --sim-only SECONDS: only the two episodes' simulation, no replay, no artwork drawn ahead, no
    // tick timing; for counting instructions (the difference between two lengths is the cost of
    // the extra simulated seconds, set-up and start-up cancel out).
    // --episodes SECONDS: the artwork drawn and half an hour of each episode run first, then only
    // the two episodes' simulation, timed; what bench/node_vs_native.sh runs on both builds.
    const std::string_view flag = argc == 3 ? argv[1] : "";
    const bool simOnly = flag == "--sim-only", episodesOnly = flag == "--episodes";
    const double seconds = simOnly || episodesOnly ? std::atof(argv[2]) : argc > 1 ? std::atof(argv[1]) : 3600;
    if (!(seconds > 0)) {
        std::fprintf(stderr, "sky_sim_bench: give a number of seconds above 0\n");
        return 1;
    }
    if (simOnly) {
        printRun(1, simulateEpisode1(seconds));
        printRun(2, simulateEpisode2(seconds));
        return 0;
    }
    // The artwork is drawn once per program, at its first use: that is start-up, not simulation,
    // and it is timed on its own (in the browser's baseline code it costs several times more).
#ifndef __EMSCRIPTEN__
    if (!episodesOnly) replayFigures(5'000'000);
#endif
    const auto drawStart = Clock::now();
    for (std::string_view name : assets::names()) assets::image(name);
    std::printf("artwork: every picture drawn once in %.1f ms\n",
                std::chrono::duration<double, std::milli>(Clock::now() - drawStart).count());
    // --episodes: half a simulated hour of each episode first, untimed. The browser's engine starts
    // every function in its baseline code and swaps in optimised code only after many calls (a
    // screen is set up only every few seconds of play); the figures are the simulation's own speed,
    // the time to get there is the command line's start-up.
    if (episodesOnly) {
        const auto warmStart = Clock::now();
        for (int episode : {1, 2}) simulate(episode, 1800);
        std::printf("warm-up: half a simulated hour of each episode in %.1f ms\n",
                    std::chrono::duration<double, std::milli>(Clock::now() - warmStart).count());
    }
    for (int episode : {1, 2}) {
        printRun(episode, simulate(episode, seconds));
        if (argc <= 2) std::printf("pohyb tick, episode %d: %.1f ns\n", episode, pohybNanos(episode));
    }
    return 0;
}
