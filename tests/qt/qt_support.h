// Helpers for the front end's tests: one application for the whole run, a scratch directory,
// and image comparison with stored references.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>
#include <QApplication>
#include <QImage>
#include <QString>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "qt/appearance.h"

namespace sky::qt::test {

inline QApplication& app() {
    static QApplication* a = [] {
        static int argc = 1;
        static char name[] = "sky_qt_tests";
        static char* argv[] = {name, nullptr};
        auto* q = new QApplication(argc, argv);  // lives to the end of the run
        setupAppearance(*q);
        return q;
    }();
    return *a;
}

// Lets posted events and deferred deletions run.
inline void settle() {
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

inline std::filesystem::path scratchDir(const std::string& what) {
    namespace fs = std::filesystem;
    fs::path dir = fs::temp_directory_path() / ("skyrend-qt-" + what + "-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

// Compares an image with tests/qt/reference/NAME.png. With SKY_UPDATE_REFERENCES=1 the image
// becomes the new reference instead. A pixel counts as different when a channel is off by more
// than a little (font rasterisers differ in their last bits); a handful of those are allowed.
inline void expectMatchesReference(const QImage& actual, const std::string& name) {
    const QString path = QString::fromUtf8(SKY_REFERENCE_DIR) + "/" + QString::fromStdString(name) + ".png";
    const QImage got = actual.convertToFormat(QImage::Format_RGB32);
    if (const char* u = std::getenv("SKY_UPDATE_REFERENCES"); u && std::string(u) == "1") {
        ASSERT_TRUE(got.save(path)) << "cannot write " << path.toStdString();
        return;
    }
    QImage want(path);
    ASSERT_FALSE(want.isNull()) << "no reference " << path.toStdString()
                                << " (run with SKY_UPDATE_REFERENCES=1 to make it)";
    want = want.convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(got.size(), want.size()) << name;
    long differing = 0;
    for (int y = 0; y < got.height(); ++y)
        for (int x = 0; x < got.width(); ++x) {
            const QRgb a = got.pixel(x, y), b = want.pixel(x, y);
            const int d =
                std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
            if (d > 24) ++differing;
        }
    const long allowed = got.width() * got.height() / 2000;  // 0.05 %
    if (differing > allowed) {
        const std::string out = (std::filesystem::temp_directory_path() / (name + ".actual.png")).string();
        got.save(QString::fromStdString(out));
        ADD_FAILURE() << name << ": " << differing << " pixels differ from the reference (allowed " << allowed
                      << "); this run's image is in " << out;
    }
}

}  // namespace sky::qt::test
