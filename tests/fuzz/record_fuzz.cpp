// Fuzzing the way from a progress file to a recording and back: whatever new.dat holds, the
// recording the game writes of it is one the game plays, from the same progress, to its end.
#include <cstdlib>
#include <sstream>
#include <string>

#include "game/recording.h"
#include "scenario/headless.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    using namespace sky;
    GameProgress start;
    parseProgress(std::string_view(reinterpret_cast<const char*>(data), size), start);
    std::ostringstream file;
    {
        replay::Recorder recorder(file, Pace::Classic, start);
        replay::Event e;
        e.kind = replay::Event::Activate;
        recorder.write(e);
        e.t = 500'000;
        e.kind = replay::Event::MenuClose;
        recorder.write(e);
        e.kind = replay::Event::End;
        recorder.write(e);
    }
    std::string error;
    auto rec = replay::parse(file.str(), "fuzz", error);
    if (!rec) std::abort();
    if (progressText(rec->start) != progressText(start)) std::abort();
    std::ostringstream out, err;
    if (replay::runReplay(*rec, out, err) != 0) std::abort();
    return 0;
}
