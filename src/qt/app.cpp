// The game with its Qt windows.
#include "qt/app.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "game/realtime.h"
#include "game/recording.h"
#include "game/screens.h"
#include "qt/appearance.h"
#include "qt/commandline.h"
#include "qt/gamepad.h"
#include "qt/keptfiles.h"
#include "qt/keybindings.h"
#include "qt/language.h"
#include "qt/menuwindow.h"
#include "qt/musicplayer.h"
#include "qt/qtfrontend.h"
#include "qt/settings.h"
#include "qt/settingswindow.h"
#include "qt/soundplayer.h"
#include "qt/startchecks.h"
#include "qt/watching.h"
#include "runtime/quote.h"
#include "scenario/blackbox.h"
#include "scenario/headless.h"
#include "shell/program.h"
#include "shell/savefile.h"

namespace sky::qt {

namespace {

// A game without its music or its sounds plays in silence: one line says where they were looked for.
void reportMissingSounds() {
    const QFileInfo music(QDir::current().filePath(kMusicFile));
    if (!music.exists())
        std::fprintf(stderr, "skyrend: no music: %s not found\n", qPrintable(music.absoluteFilePath()));
    const QStringList dirs = SoundPlayer::defaultDirs();
    if (std::none_of(dirs.begin(), dirs.end(), [](const QString& d) { return QFileInfo(d).isDir(); }))
        std::fprintf(stderr, "skyrend: no sound effects: none of %s found\n",
                     qPrintable(dirs.join(QStringLiteral(", "))));
}

// Every input goes to each of these: the black box, and the recording the player asked for.
class InputLogs final : public InputLog {
public:
    std::vector<InputLog*> logs;
    void write(const InputEvent& e) override {
        for (InputLog* l : logs) l->write(e);
    }
};

// F12: the black box as a file named by the time, and what the game window says about it.
QString saveBlackBox(const replay::BlackBox& box, Micros now) {
    char name[replay::kRecordingNameSize];
    replay::recordingName(localSecondsNow(), name);
    std::string error;
    if (auto path = keepFile(recordingsDir(), name, box.recording(now), error)) {
        std::fprintf(stderr, "skyrend: the black box is saved in %s\n", qPrintable(*path));
        return uiText(TextId::BlackBoxSaved, QFile::encodeName(*path).toStdString());
    }
    std::fprintf(stderr, "skyrend: the black box could not be saved: %s\n", error.c_str());
    return uiText(TextId::BlackBoxFailed, error);
}

// A recording played in a window of its own, by another copy of the game: this one's menu stays.
void watchFile(const QString& path) {
    QProcess::startDetached(QCoreApplication::applicationFilePath(), {QStringLiteral("--watch"), path});
}

QString bestRunPath(int episode) {
    return dataDir() + QStringLiteral("/best-episode%1.replay").arg(episode);
}

// A run that set a new best score is kept once its recording has replayed to that score.
void keepBestRun(const replay::BlackBox::Run& run, const GameProgress& after, MenuWindow* menu) {
    const replay::BestRun best = replay::judgeRun(run, after);
    if (best.episode == 0) return;
    if (!best.refused.empty()) {
        std::fprintf(stderr, "skyrend: %s\n", best.refused.c_str());
        return;
    }
    std::string error;
    if (!keepFile(dataDir(), best.file, best.recording, error)) {
        std::fprintf(stderr, "skyrend: the best run of episode %d could not be kept: %s\n", best.episode,
                     error.c_str());
        return;
    }
    if (menu) menu->setBestRunKept(best.episode, true);
}

// What a crash writes: the black box as the program's clock stands.
struct CrashContext {
    const replay::BlackBox* box = nullptr;
    const Program* program = nullptr;
};
CrashContext crashContext;

void crashName(std::int64_t localSeconds, char* out) {
    char name[replay::kRecordingNameSize];
    replay::recordingName(localSeconds, name);
    std::memcpy(out, name, sizeof name);
}

void crashWrite(void* context, int fd) {
    const auto* c = static_cast<const CrashContext*>(context);
    c->box->pour(
        const_cast<Program*>(c->program)->scheduler().now(),
        [](void* f, const char* b, std::size_t n) { writeAll(*static_cast<int*>(f), b, n); }, &fd);
}

}  // namespace

int runApp(int, char** argv, const CommandLine& cl) {
    Options options;
    options.autopause = cl.autopause;
    Pace pace = cl.pace.value_or(kPlayersPace);
    const char* recordPath = cl.record.empty() ? nullptr : cl.record.c_str();
    const char* replayPath = cl.replay.empty() ? nullptr : cl.replay.c_str();
    if (const char* t = std::getenv("SKY_DEBUG_TICKS"); t && *t && std::strcmp(t, "0") != 0) options.debugTicks = true;
    if (recordPath) {
        if (auto why = recordingRefused(recordPath)) {
            std::fprintf(stderr, "skyrend: %s\n", quoted(*why, 400).c_str());
            return 2;
        }
    }

    // A replay plays from the progress the recorded game started from, kept in memory, at the
    // recorded pace; the player's own new.dat is neither read nor written.
    std::optional<replay::Recording> recording, watching;
    if (!cl.watch.empty()) {
        std::string error;
        watching = replay::load(cl.watch, error);
        if (!watching) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 2;
        }
    }
    if (replayPath) {
        std::string error;
        recording = replay::load(replayPath, error);
        if (!recording) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 2;
        }
        pace = recording->pace;
    }
    if (!displayAvailable()) {
        std::fprintf(stderr, "%s\n", kNoDisplayLine);
        return 2;
    }

    // Qt sees no argument of the player's: its own options are refused by the game's command
    // line, so they must not act here either.
    int qtArgc = 1;
    std::optional<QApplication> application;
    {
        DisplayGuard guard;
        application.emplace(qtArgc, argv);
    }
    QApplication& app = *application;
    setupAppearance(app);
    // The player's settings, and the language they and the command line choose, from the first
    // word on; what the command line asks for is remembered once the game holds its folder.
    const SettingsFile settingsFile;
    Settings settings = settingsFile.load();
    installLanguage(app, chooseLanguage(cl.language, settings.language.toStdString(), localeFromEnvironment()));
    // Until the game is under way, an end request simply ends the program.
    std::function<void()> end = [] { QApplication::quit(); };
    bool endRequested = false;  // the desktop ended the game, not the player in a window
    EndRequests endRequests([&end, &endRequested] {
        endRequested = true;
        end();
    });

    // A replay touches no progress file; a game holds the folder's lock while it runs.
    std::unique_ptr<FileLock> lock;
    std::optional<std::string> cannotSave;
    if (!replayPath) {
        FileLock::State state{};
        std::string why;
        lock = lockProgressFolder(state, why);
        if (state == FileLock::State::Busy) {
            const std::string busy = text(TextId::AlreadyRunning);
            std::fprintf(stderr, "skyrend: %s\n", busy.c_str());
            QMessageBox box(QMessageBox::Warning, uiText(TextId::ProgramTitle), uiText(busy), QMessageBox::Ok);
            end = [&box] { box.reject(); };
            box.exec();
            return 1;
        }
        if (state == FileLock::State::Unavailable)
            std::fprintf(stderr, "skyrend: no lock %s can be made (%s): the game plays without it\n", kLockFile,
                         why.c_str());
        if ((cannotSave = saveProblem(kProgressFile)))
            std::fprintf(stderr, "skyrend: progress cannot be saved to %s: %s\n", kProgressFile, cannotSave->c_str());
    }
    reportMissingSounds();

    std::ofstream recordFile;
    std::unique_ptr<replay::Recorder> recorder;
    if (recordPath) {
        recordFile.open(recordPath, std::ios::binary | std::ios::trunc);
        if (!recordFile) {
            std::fprintf(stderr, "skyrend: cannot write the recording %s\n", quoted(recordPath, 160).c_str());
            return 2;
        }
        // What the menu's first activation will read.
        GameProgress start;
        readProgress(kProgressFile, start);
        recorder = std::make_unique<replay::Recorder>(recordFile, pace, start);
    }
    const Settings before = settings;
    if (cl.language) settings.language = languageCode(*cl.language);
    if (cl.scale >= 0) settings.scale = cl.scale;
    if (settings.language != before.language || settings.scale != before.scale) settingsFile.save(settings);
    options.scale = settings.scale;
    options.fullScreen = settings.fullScreen;
    options.fillScreen = settings.fillScreen;
    options.musicVolume = settings.musicVolume;
    options.effectsVolume = settings.effectsVolume;
    options.keys = settings.keys;
    // Drawn between ticks unless the setting or --classic-motion (for this run only) says not.
    options.motion =
        settings.smoothMotion && !cl.classicMotion ? SceneMotion::Mode::Interpolate : SceneMotion::Mode::Ticks;
    options.soundEffects = settings.soundEffects;
    // F11 and "Zvuky" are settings too: kept, and shown in the settings window if it is open.
    options.fullScreenChanged = [&settingsFile, &settings](bool on) {
        settings.fullScreen = on;
        settingsFile.save(settings);
        refreshSettings(settings);
    };
    options.soundsChanged = [&settingsFile, &settings](bool on) {
        settings.soundEffects = on;
        settingsFile.save(settings);
        refreshSettings(settings);
    };
    QtFrontEnd* fe = nullptr;
    std::unique_ptr<replay::BlackBox> blackBox;
    Program* live = nullptr;
    if (!replayPath) {
        options.saveBlackBox = [&blackBox, &live] { return saveBlackBox(*blackBox, live->scheduler().now()); };
        options.blackBoxMinutes = static_cast<int>(replay::BlackBox::kKept / ms(60'000));
    }
    // What the settings window changes takes effect at once and is kept.
    auto apply = [&settingsFile, &settings, &fe](const Settings& s) {
        if (s.musicVolume != settings.musicVolume || s.effectsVolume != settings.effectsVolume)
            fe->setVolumes(s.musicVolume, s.effectsVolume);
        if (s.smoothMotion != settings.smoothMotion)
            fe->setMotion(s.smoothMotion ? SceneMotion::Mode::Interpolate : SceneMotion::Mode::Ticks);
        if (s.scale != settings.scale) fe->setScale(s.scale);
        if (s.fullScreen != settings.fullScreen || s.fillScreen != settings.fillScreen)
            fe->setFullScreen(s.fullScreen, s.fillScreen);
        if (s.soundEffects != settings.soundEffects) fe->setSoundEffects(s.soundEffects);
        fe->setKeys(s.keys);
        settings = s;
        settingsFile.save(settings);
    };
    options.openSettings = [&settings, &fe, apply] {
        showSettings(settings, apply, [&fe](QSize window) { return fe->scaleFor(window); });
    };
    // Gamepads, when SDL and a controller are there: a button presses the first key of its game key.
    Gamepad gamepad;
    gamepad.setKeyFor([&fe](Gamepad::Button b) {
        static constexpr GameKey keys[Gamepad::kButtons] = {GameKey::NoseUp, GameKey::NoseDown, GameKey::Slower,
                                                            GameKey::Faster, GameKey::Fire,     GameKey::Pause,
                                                            GameKey::Leave,  GameKey::Help};
        const Controls* c = fe ? fe->controls() : nullptr;
        return c ? qtKey(c->keyMap().binding(keys[b]).keys[0]) : Gamepad::defaultKey(b);
    });
    // A recording to watch before the game (--watch), or one the menu asked for: the game ends as
    // closing its menu ends it, the recording plays, and the game starts again at its menu.
    std::optional<replay::Recording> watchNext = std::move(watching);
    if (!replayPath && !recordPath)
        options.watch = [&watchNext, &fe, &end](const std::string& path) {
            std::string error;
            auto r = replay::load(path, error);
            if (!r) {
                std::fprintf(stderr, "skyrend: %s\n", error.c_str());
                QMessageBox::warning(fe ? fe->menuWindow() : nullptr, uiText(TextId::ProgramTitle),
                                     QString::fromStdString(error));
                return;
            }
            watchNext = std::move(r);
            end();
        };
    int rc = 0;
    for (bool first = true;; first = false) {
        if (watchNext) {
            end = [] { QApplication::quit(); };
            watchRecording(*watchNext, options);
            watchNext.reset();
            if (endRequested) break;
        }
        QtFrontEnd frontEnd(options);
        fe = &frontEnd;
        std::unique_ptr<ProgressStore> progress;
        ProgressFile* progressFile = nullptr;
        if (recording) {
            progress = std::make_unique<ProgressInMemory>(recording->start);
        } else {
            auto file = std::make_unique<ProgressFile>(kProgressFile);
            progressFile = file.get();
            progress = std::move(file);
        }
        Program program(frontEnd, gameScreens(), std::move(progress));
        program.scheduler().setPace(pace);
        std::unique_ptr<replay::Player> player;
        if (recording) {
            player = std::make_unique<replay::Player>(
                program, *recording, [&frontEnd](const std::function<void()>& h) { frontEnd.call(h); });
            frontEnd.setPlayer(player.get());
        }
        InputLogs logs;
        if (recorder) logs.logs.push_back(recorder.get());
        if (!recording) {
            // The black box keeps the last minutes from the menu the game starts at.
            GameProgress start;
            readProgress(kProgressFile, start);
            blackBox = std::make_unique<replay::BlackBox>(program, pace, start);
            blackBox->onRunEnded([&program, &frontEnd](const replay::BlackBox::Run& run) {
                keepBestRun(run, program.progress(), frontEnd.menuWindow());
            });
            logs.logs.push_back(blackBox.get());
            live = &program;
            crashContext = {blackBox.get(), &program};
            installCrashWriter(recordingsDir(), crashName, crashWrite, &crashContext);
        }
        frontEnd.setRecorder(logs.logs.empty() ? nullptr : &logs);
        frontEnd.attach(program);
        if (!recording) {
            // Beside each best score: its run, when one is kept, plays in the game's windows with
            // the watch bar (in a window of its own, by another copy of the game, while this one
            // records: its recording goes on).
            frontEnd.menuWindow()->setWatchBest([&frontEnd](int episode) {
                const QString path = bestRunPath(episode);
                if (frontEnd.canWatch())
                    frontEnd.watch(QFile::encodeName(path).toStdString());
                else
                    watchFile(path);
            });
            for (int episode : {1, 2})
                frontEnd.menuWindow()->setBestRunKept(episode, QFile::exists(bestRunPath(episode)));
        }
        // The desktop ending the game ends it as closing the menu does: progress saved, music closed.
        end = [&frontEnd, &program] { endGameNow(frontEnd, program); };
        frontEnd.start();
        // Said once, over the menu, before anything is played for nothing.
        if (cannotSave && first) sayProgressUnsaved(frontEnd.menuWindow(), *cannotSave);
        rc = app.exec();
        // From here only the box of a failed save may be open: an end request closes it.
        end = [] {
            if (QWidget* box = QApplication::activeModalWidget()) box->close();
        };
        rc = endStatus(rc, program.saveFailed(), endRequested, progressFile ? progressFile->saveError() : "");
        frontEnd.endRecording();
        if (recorder) recordFile.flush();
        if (recorder && !recordFile)
            std::fprintf(stderr, "skyrend: the recording %s could not be written in full\n",
                         quoted(recordPath, 160).c_str());
        if (player) {
            replay::printState(program, std::cout);
            replay::printProblems(*player, std::cerr, recording->game);
            if (player->problemCount() > 0) rc = 1;
        }
        // The windows refer to the program: they go first.
        frontEnd.shutdown();
        closeSettings();
        removeCrashWriter();
        live = nullptr;
        fe = nullptr;
        if (!watchNext || endRequested) break;
    }
    return rc;
}

}  // namespace sky::qt
