// The command line's headless runs.
#include "scenario/headless.h"

#include <cstring>
#include <ostream>

#include "game/screens.h"
#include "game/watch.h"
#include "scenario/runner.h"
#include "scenario/sharecode.h"
#include "shell/infile.h"

namespace sky {

std::optional<int> runHeadless(int argc, char** argv, std::ostream& out, std::ostream& err) {
    const char* replay = nullptr;
    bool headless = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--scenario") == 0) {
            if (i + 1 >= argc || !*argv[i + 1]) {
                err << "skyrend: --scenario needs a file\n";
                return 2;
            }
            return runHeadless(HeadlessRun{argv[i + 1], {}, false, {}, {}, {}}, out, err);
        }
        if (std::strcmp(argv[i], "--replay") == 0 && i + 1 < argc) replay = argv[i + 1];
        if (std::strcmp(argv[i], "--scenario-out") == 0) headless = true;
    }
    if (!headless) return std::nullopt;
    if (!replay) {
        err << "skyrend: --scenario-out goes with --replay FILE\n";
        return 2;
    }
    return runHeadless(HeadlessRun{{}, replay, true, {}, {}, {}}, out, err);
}

std::optional<int> runHeadless(const HeadlessRun& run, std::ostream& out, std::ostream& err) {
    std::optional<int> rc;
    if (!run.share.empty())
        rc = runShare(run, out, err);
    else if (!run.scenario.empty())
        rc = runScenarioFile(run.scenario, out, err);
    else if (run.scenarioOut)
        rc = replay::runReplayFile(run.replay, out, err);
    // What was printed is the result: a full disk or a reader that has gone is a failure.
    if (rc && !out.flush() && *rc == 0) {
        err << "skyrend: the output could not be written\n";
        rc = 1;
    }
    return rc;
}

int runShare(const HeadlessRun& run, std::ostream& out, std::ostream& err) {
    // Only what plays here is shared, and read through the one descriptor that was checked.
    std::string error;
    const auto rec = replay::load(run.share, error);
    if (!rec) {
        err << error << "\n";
        return 2;
    }
    error.clear();
    const auto bytes = rec->input->read(share::kLongestText, error);
    if (!bytes && !error.empty() && rec->input->size() <= share::kLongestText) {
        err << rec->file << ": cannot read the recording (" << error << ")\n";
        return 2;
    }
    const auto code = bytes ? share::encode(*bytes) : std::nullopt;
    if (!code) {
        err << text(run.language, TextId::ShareTooLong, {rec->file}) << "\n";
        return 2;
    }
    out << run.page << share::kWatchMark << *code << "\n";
    return 0;
}

namespace replay {

void playHeadless(const Recording& recording, const std::function<void(Program&, const Player&)>& atEnd) {
    Run run(recording, gameScreens());
    run.player().advanceTo(run.player().endTime());
    atEnd(run.program(), run.player());
}

int runReplay(const Recording& recording, std::ostream& out, std::ostream& err) {
    int rc = 0;
    playHeadless(recording, [&](Program& program, const Player& player) {
        printState(program, out);
        printProblems(player, err, recording.game);
        rc = player.problemCount() == 0 ? 0 : 1;
    });
    return rc;
}

int runReplayFile(const std::string& path, std::ostream& out, std::ostream& err) {
    if (path.empty()) {
        err << "skyrend: --replay needs a file\n";
        return 2;
    }
    std::string error;
    auto rec = load(path, error);
    if (!rec) {
        err << error << "\n";
        return 2;
    }
    return runReplay(*rec, out, err);
}

}  // namespace replay

}  // namespace sky
