// The game's command line on Node: a scenario, or a recorded game replayed headless.
#include <iostream>

#include "scenario/headless.h"

int main(int argc, char** argv) {
    if (auto rc = sky::runHeadless(argc, argv, std::cout, std::cerr)) return *rc;
    std::cerr << "skyrend: this build runs --scenario FILE or --replay FILE --scenario-out\n";
    return 2;
}
