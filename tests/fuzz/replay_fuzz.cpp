// Fuzzing recorded games: whatever bytes a stranger's recording holds, reading it and playing it
// never crash, never hang, and a refusal is one short line that is safe on a terminal.
#include <cstdlib>
#include <sstream>
#include <string>

#include "../support/shown.h"
#include "game/recording.h"
#include "scenario/headless.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    std::string error;
    auto rec = sky::replay::parse(std::string(reinterpret_cast<const char*>(data), size), "fuzz", error);
    if (!rec) {
        if (error.size() > 800) std::abort();  // the name and 80 bytes quoted, 6 for an escaped one
        if (!sky::test::safeToShow(error)) std::abort();
        return 0;
    }
    // Bounded play: a minute of game clock at most, so that every input runs in moments.
    if (rec->endTime > sky::ms(60'000)) return 0;
    std::ostringstream out, err;
    const int rc = sky::replay::runReplay(*rec, out, err);
    if (rc != 0 && rc != 1) std::abort();
    return 0;
}
