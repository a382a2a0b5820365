// Fuzzing the progress file: whatever bytes new.dat holds, reading never crashes and stays
// bounded, and what the game writes back reads back to the same values.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "shell/progress.h"

namespace {

std::string scratch(const char* what) {
    const char* dir = std::getenv("TMPDIR");
    return std::string(dir ? dir : "/tmp") + "/skyrend-fuzz-" + std::to_string(::getpid()) + "-" + what;
}

bool same(const sky::GameProgress& a, const sky::GameProgress& b) {
    return a.ep2Unlocked == b.ep2Unlocked && a.ep1Passed == b.ep1Passed && a.ep2Passed == b.ep2Passed &&
           a.ep1BestScore == b.ep1BestScore && a.ep2BestScore == b.ep2BestScore && a.musicOn == b.musicOn;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    static const std::string in = scratch("in.dat"), out = scratch("out.dat");
    std::FILE* f = std::fopen(in.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);

    sky::GameProgress p;
    if (sky::readProgress(in, p) != sky::ReadResult::Read) std::abort();
    if (p.ep2Unlocked.size() > sky::kMaxProgressLine) std::abort();

    if (!sky::writeProgress(out, p)) return 0;
    sky::GameProgress q;
    sky::readProgress(out, q);
    if (!same(p, q)) std::abort();
    if (sky::progressText(q) != sky::progressText(p)) std::abort();
    return 0;
}
