// The program's entry: the game in its window, or a scenario run headless.
#include <cstring>
#include <iostream>

#include "qt/app.h"
#include "scenario/runner.h"

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--scenario") == 0) {
            if (i + 1 >= argc) {
                std::cerr << "skyrend: --scenario needs a file\n";
                return 2;
            }
            return sky::runScenarioFile(argv[i + 1], std::cout, std::cerr);
        }
    }
    return sky::qt::runApp(argc, argv);
}
