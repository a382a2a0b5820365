// The game's command line on Node: a scenario, or a recorded game replayed headless.
#include <cstring>
#include <iostream>

#include "scenario/replay.h"
#include "scenario/runner.h"

int main(int argc, char** argv) {
    const char* replay = nullptr;
    bool headless = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--scenario") == 0) {
            if (i + 1 >= argc) {
                std::cerr << "skyrend: --scenario needs a file\n";
                return 2;
            }
            return sky::runScenarioFile(argv[i + 1], std::cout, std::cerr);
        }
        if (std::strcmp(argv[i], "--replay") == 0 && i + 1 < argc) replay = argv[i + 1];
        if (std::strcmp(argv[i], "--scenario-out") == 0) headless = true;
    }
    if (!headless || !replay) {
        std::cerr << "skyrend: this build runs --scenario FILE or --replay FILE --scenario-out\n";
        return 2;
    }
    return sky::replay::runReplayFile(replay, std::cout, std::cerr);
}
