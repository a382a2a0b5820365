// Fuzzing recorded games: whatever bytes a stranger's recording holds, reading it and playing it
// never crash, never hang, and a refusal is one short line with no control characters in it.
#include <cstdlib>
#include <sstream>
#include <string>

#include "scenario/replay.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    std::string error;
    auto rec = sky::replay::parse(std::string(reinterpret_cast<const char*>(data), size), "fuzz", error);
    if (!rec) {
        if (error.size() > 600) std::abort();  // 80 characters quoted, 4 for an escaped one
        for (char c : error)
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) std::abort();
        return 0;
    }
    // Bounded play: a minute of game clock at most, so that every input runs in moments.
    if (rec->endTime > sky::ms(60'000)) return 0;
    std::ostringstream out, err;
    const int rc = sky::replay::runReplay(*rec, out, err);
    if (rc != 0 && rc != 1) std::abort();
    return 0;
}
