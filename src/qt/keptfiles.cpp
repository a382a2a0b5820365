// Where the game keeps its recordings, and the black box written on a crash.
#include "qt/keptfiles.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTimer>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>

#include "qt/appearance.h"
#include "qt/settings.h"
#include "shell/savefile.h"

namespace sky::qt {

QString dataDir() {
    return xdgFolder("XDG_DATA_HOME", ".local/share");
}

QString recordingsDir() {
    return dataDir() + QStringLiteral("/recordings");
}

std::optional<QString> keepFile(const QString& dir, const std::string& name, const std::string& bytes,
                                std::string& error) {
    if (!QDir().mkpath(dir)) {
        error = "the folder " + QFile::encodeName(dir).toStdString() + " cannot be made";
        return std::nullopt;
    }
    const QString path = dir + QLatin1Char('/') + QString::fromStdString(name);
    if (!replaceFile(QFile::encodeName(path).toStdString(), bytes, error)) return std::nullopt;
    return path;
}

std::int64_t localSecondsNow() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return static_cast<std::int64_t>(now) + local.tm_gmtoff;
}

void writeAll(int fd, const char* bytes, std::size_t n) noexcept {
    while (n > 0) {
        const ssize_t w = ::write(fd, bytes, n);
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) return;
        bytes += w;
        n -= static_cast<std::size_t>(w);
    }
}

namespace {

// Everything the handler needs, made ready beforehand: it cannot allocate or format.
struct CrashWriter {
    char folder[4096] = {};
    long utcOffset = 0;  // the local time's seconds ahead of UTC, as it was when installed
    CrashName name = nullptr;
    CrashWrite write = nullptr;
    void* context = nullptr;
};
CrashWriter crash;
volatile std::sig_atomic_t crashing = 0;
constexpr int kCrashSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
// A stack of the handler's own, so a stack that overflowed can still be written from.
alignas(16) char crashStack[64 * 1024];

void say(const char* s) {
    writeAll(2, s, std::strlen(s));
}

void onCrash(int sig) {
    if (!crashing && crash.write) {
        crashing = 1;
        // Each folder on the way, as a first F12 would have made them.
        char path[sizeof crash.folder + 80];
        std::size_t n = std::strlen(crash.folder);
        std::memcpy(path, crash.folder, n + 1);
        for (std::size_t i = 1; i <= n; ++i) {
            if (path[i] != '/' && path[i] != '\0') continue;
            const char c = path[i];
            path[i] = '\0';
            ::mkdir(path, 0755);
            path[i] = c;
        }
        timespec ts{};
        clock_gettime(CLOCK_REALTIME, &ts);
        path[n++] = '/';
        crash.name(static_cast<std::int64_t>(ts.tv_sec) + crash.utcOffset, path + n);
        int fd = ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0 && errno == EEXIST) {
            // F12 saved one this very second: this one is the crash's.
            const std::size_t end = n + std::strlen(path + n);
            std::memcpy(path + end - 7, "-2.replay", 10);
            fd = ::open(path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        }
        if (fd >= 0) {
            crash.write(crash.context, fd);
            ::close(fd);
            say("skyrend: the game crashed; the black box is saved in ");
            say(path);
            say("\n");
        }
    }
    // As the signal would have ended the game: its default action, at once.
    signal(sig, SIG_DFL);
    raise(sig);
}

}  // namespace

void installCrashWriter(const QString& folder, CrashName name, CrashWrite write, void* context) {
    const QByteArray f = QFile::encodeName(folder);
    if (static_cast<std::size_t>(f.size()) >= sizeof crash.folder) return;
    std::memcpy(crash.folder, f.constData(), static_cast<std::size_t>(f.size()) + 1);
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    crash.utcOffset = local.tm_gmtoff;
    crash.name = name;
    crash.context = context;
    crash.write = write;
    stack_t st{};
    st.ss_sp = crashStack;
    st.ss_size = sizeof crashStack;
    sigaltstack(&st, nullptr);
    struct sigaction sa {};
    sa.sa_handler = onCrash;
    sa.sa_flags = SA_ONSTACK | SA_NODEFER;
    sigemptyset(&sa.sa_mask);
    for (int s : kCrashSignals) sigaction(s, &sa, nullptr);
}

void removeCrashWriter() {
    for (int s : kCrashSignals) signal(s, SIG_DFL);
    crash.write = nullptr;
}

void showNotice(QWidget& window, const QString& text) {
    auto* old = window.findChild<QLabel*>(QStringLiteral("notice"), Qt::FindDirectChildrenOnly);
    delete old;
    auto* l = new QLabel(text, &window);
    l->setObjectName(QStringLiteral("notice"));
    l->setFont(captionFont());
    l->setStyleSheet(
        QStringLiteral("QLabel { background: #ffffe1; color: black; border: 1px solid black; "
                       "padding: 2px 4px; }"));
    l->adjustSize();
    // On one line when it fits; else as wide as the window, broken where it can be.
    if (l->width() > window.width() - 8) {
        l->setWordWrap(true);
        l->setFixedWidth(window.width() - 8);
        l->adjustSize();
    }
    l->move(4, window.height() - l->height() - 4);
    l->show();
    QTimer::singleShot(6000, l, &QObject::deleteLater);
}

}  // namespace sky::qt
