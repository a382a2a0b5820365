// Keeps Qt's audio back end quiet: without a sound server or an audio device it warns on every
// command, and the game must run on in silence.
#pragma once

#include <QThread>
#include <QtGlobal>
#include <atomic>

namespace sky::qt {

// Sound is never worth a word on the console: without a sound server or an audio device Qt's
// audio back end warns on every command, and the game must run on in silence. While a command
// runs, warnings raised by it on this thread are dropped; everything else passes on unchanged.
class QuietAudio {
public:
    // Scopes may nest: the outermost one installs the filter and takes it away again.
    QuietAudio() {
        if (depth_++ > 0) return;
        thread_ = QThread::currentThread();
        previous_ = qInstallMessageHandler(&QuietAudio::handler);
    }
    ~QuietAudio() {
        if (--depth_ > 0) return;
        qInstallMessageHandler(previous_);
        thread_ = nullptr;
    }
    QuietAudio(const QuietAudio&) = delete;
    QuietAudio& operator=(const QuietAudio&) = delete;

private:
    static void handler(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (type != QtFatalMsg && QThread::currentThread() == thread_) return;
        if (const QtMessageHandler previous = previous_.load()) previous(type, context, text);
    }
    static inline std::atomic<QThread*> thread_ = nullptr;
    static inline std::atomic<QtMessageHandler> previous_ = nullptr;
    static inline int depth_ = 0;  // the game's thread only
};

}  // namespace sky::qt
