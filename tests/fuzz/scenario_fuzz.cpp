// Fuzzing scenario files: whatever a scenario file holds, the runner never crashes or hangs; it
// plays it, fails an expectation (1) or refuses a line (2). Inputs that would play more than ten
// minutes of game clock, or close the menu (which writes new.dat), are skipped.
#include <cstdlib>
#include <sstream>
#include <string>

#include "scenario/runner.h"

namespace {

bool playable(const std::string& text) {
    if (text.find("quit") != std::string::npos || text.find("Command5") != std::string::npos) return false;
    std::istringstream in(text);
    double clockMs = 0;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string command, word;
        words >> command;
        while (words >> word) {
            const double n = std::strtod(word.c_str(), nullptr);
            if (command == "run" || command == "answer") clockMs += n > 0 ? n : 0;
            if (command == "fire" && n > 1000) return false;
        }
    }
    return clockMs <= 600'000;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (!playable(text)) return 0;
    std::ostringstream out, err;
    const int rc = sky::runScenario(text, "fuzz.scn", out, err);
    if (rc < 0 || rc > 2) std::abort();
    return 0;
}
