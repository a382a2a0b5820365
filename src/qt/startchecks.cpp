// What the game checks before its windows open, and the desktop's ways of ending it.
#include "qt/startchecks.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QMessageBox>
#include <QSessionManager>
#include <QSocketNotifier>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "qt/language.h"
#include "qt/musicplayer.h"
#include "qt/qtfrontend.h"
#include "qt/settings.h"
#include "shell/program.h"

namespace sky::qt {

namespace fs = std::filesystem;

const char* const kNoDisplayLine =
    "skyrend: no display: set DISPLAY or use --scenario FILE / --replay FILE --scenario-out";

std::optional<std::string> recordingRefused(const std::string& path) {
    std::error_code ec;
    const fs::path target = fs::weakly_canonical(fs::absolute(path, ec), ec);
    const SettingsFile settings;
    const std::string ownFiles[] = {kProgressFile, kLockFile, kMusicFile,
                                    QFile::encodeName(settings.path()).toStdString(),
                                    QFile::encodeName(settings.lockPath()).toStdString()};
    for (const std::string& own : ownFiles) {
        std::error_code ec2;
        if ((!ec && target == fs::weakly_canonical(fs::absolute(own, ec2), ec2)) || fs::equivalent(path, own, ec2))
            return "--record " + path + ": that is the game's own " + own;
    }
    // Anything in a folder the sounds come from.
    // (Where SoundPlayer::defaultDirs() looks, found before the application that it asks exists.)
    std::error_code ecExe, ecDir;
    const fs::path program = fs::read_symlink("/proc/self/exe", ecExe).parent_path();
    const fs::path folder = fs::weakly_canonical(fs::absolute(path, ecDir).parent_path(), ecDir);
    for (const fs::path& dir : {fs::path("sounds"), program / "../share/skyrend/sounds"}) {
        std::error_code ec2;
        const fs::path sounds = fs::weakly_canonical(fs::absolute(dir, ec2), ec2);
        if (!ec2 && ((!ec && target.parent_path() == sounds) || (!ecDir && folder == sounds)))
            return "--record " + path + ": that is in the game's own sounds folder " + sounds.string();
    }
    const fs::file_status st = fs::status(path, ec);
    if (fs::exists(st) && !fs::is_regular_file(st)) return "--record " + path + ": not a file";
    // Writable where it stands: open without creating or truncating anything yet.
    const int fd = fs::exists(st) ? ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK) : -1;
    if (fd >= 0) {
        ::close(fd);
        return std::nullopt;
    }
    const fs::path dir = fs::absolute(path, ec).parent_path();
    if (fs::exists(st) || ::access(dir.c_str(), W_OK) != 0)
        return "--record " + path + ": cannot be written (" + std::strerror(errno) + ")";
    return std::nullopt;
}

bool displayAvailable() {
    auto set = [](const char* name) {
        const char* v = std::getenv(name);
        return v && *v;
    };
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    const std::string p = platform ? platform : "";
    // Platforms that draw without a display server (offscreen, minimal, vnc, the frame buffer).
    if (!p.empty() && p.rfind("xcb", 0) != 0 && p.rfind("wayland", 0) != 0) return true;
    return set("DISPLAY") || set("WAYLAND_DISPLAY");
}

namespace {

QtMessageHandler previousHandler = nullptr;

void guardHandler(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    // Qt's own words on a display it cannot reach come before its abort: one line of ours instead.
    if (context.category && std::strncmp(context.category, "qt.qpa", 6) == 0 && type != QtFatalMsg) return;
    if (type == QtFatalMsg && text.contains(QLatin1String("platform plugin"))) {
        std::fprintf(stderr, "%s\n", kNoDisplayLine);
        std::_Exit(2);
    }
    if (previousHandler) previousHandler(type, context, text);
}

int endPipe[2] = {-1, -1};

extern "C" void onEndSignal(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(endPipe[1], &byte, 1);
    errno = saved;
}

}  // namespace

DisplayGuard::DisplayGuard() {
    previousHandler = qInstallMessageHandler(&guardHandler);
}

DisplayGuard::~DisplayGuard() {
    qInstallMessageHandler(previousHandler);
    previousHandler = nullptr;
}

std::unique_ptr<FileLock> lockProgressFolder(FileLock::State& state, std::string& why, const std::string& lockPath) {
    return FileLock::acquire(lockPath, state, why);
}

namespace {

QMessageBox* warning(QWidget* parent, TextId what, const std::string& why) {
    auto* box = new QMessageBox(
        QMessageBox::Warning, uiText(TextId::ProgramTitle),
        uiText(what) + "\n\n" + QString::fromLocal8Bit(kProgressFile) + ": " + QString::fromLocal8Bit(why.c_str()),
        QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    return box;
}

}  // namespace

void sayProgressUnsaved(QWidget* menu, const std::string& why) {
    warning(menu, TextId::CannotSave, why)->open();
}

int endStatus(int rc, bool saveFailed, bool endRequested, const std::string& why) {
    if (!saveFailed) return rc;
    if (!endRequested) warning(nullptr, TextId::SaveFailed, why)->exec();
    return rc ? rc : 1;
}

void endGameNow(QtFrontEnd& frontEnd, Program& program) {
    if (program.ended()) return QApplication::quit();
    InputEvent e;
    e.kind = InputEvent::MenuClose;
    frontEnd.input(e);
}

EndRequests::EndRequests(std::function<void()> end) : end_(std::move(end)) {
    if (endPipe[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, endPipe) != 0) return;
    notifier_ = std::make_unique<QSocketNotifier>(endPipe[0], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
        char buf[16];
        while (::read(endPipe[0], buf, sizeof buf) > 0) {
        }
        end_();
    });
    struct sigaction sa {};
    sa.sa_handler = onEndSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGHUP, SIGINT}) ::sigaction(sig, &sa, nullptr);
    // Logging out or shutting down: the progress is saved before the session ends.
    connect(qGuiApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { end_(); });
}

EndRequests::~EndRequests() {
    for (int sig : {SIGTERM, SIGHUP, SIGINT}) std::signal(sig, SIG_DFL);
}

}  // namespace sky::qt
