// The game screens' scenes as the painter draws them.
#include <QPainter>
#include <memory>

#include "assets/pictures.h"
#include "playfield/gamescreen.h"
#include "playfield/motion.h"
#include "qt/scenepainter.h"
#include "qt_support.h"
#include "shell/program.h"
#include "support/testfrontend.h"

namespace sky::qt {
namespace {

struct Scene : sky::test::TestGame {
    GameScreen* screen;
    explicit Scene(int episode) : screen(&open(episode, 7)) {}
};

TEST(Scene, EachScreenDrawsAsItDidAtAFixedSeed) {
    test::app();
    for (int episode : {1, 2}) {
        SCOPED_TRACE(episode);
        Scene s(episode);
        // Under way for a second and a half: the world has scrolled and the read-outs are filled in.
        s.screen->speed = 9;
        s.program.scheduler().advance(ms(1500));
        ASSERT_FALSE(s.screen->closed());
        ScenePainter painter;
        const QImage img = painter.render(*s.screen);
        EXPECT_EQ(img.size(), QSize(669, 515));
        test::expectMatchesReference(img, "form" + std::to_string(episode) + "_scene");
        // Every picture is converted once, however often the scene is drawn.
        const std::size_t pictures = painter.cachedPictures();
        painter.render(*s.screen);
        EXPECT_EQ(painter.cachedPictures(), pictures);
    }
}

TEST(Scene, AFrameKeptUpToDateEqualsTheSceneDrawnWhole) {
    test::app();
    for (int episode : {1, 2}) {
        SCOPED_TRACE(episode);
        Scene s(episode);
        s.screen->speed = 12;
        ScenePainter painter;
        SceneFrame frame;
        SceneMotion motion(SceneMotion::Mode::Interpolate);
        QImage whole(669, 515, kSceneFormat);
        int partly = 0;  // frames redrawn in part only
        // Two seconds at three frames per tick: houses and clouds slide, read-outs change.
        for (int f = 0; f < 330 && !s.screen->closed(); ++f) {
            if (f % 3 == 0) s.program.scheduler().advance(ms(18));
            motion.capture(*s.screen, s.program.scheduler().now());
            motion.setTime(s.program.scheduler().now() + ms(6) * (f % 3), false);
            const std::vector<QRect>& changed = painter.update(frame, *s.screen, &motion);
            partly += !changed.empty() && changed.front() != whole.rect();
            QPainter p(&whole);
            painter.paint(p, *s.screen, &motion);
            p.end();
            ASSERT_EQ(frame.image, whole) << "frame " << f;
        }
        EXPECT_GT(partly, 50);
        EXPECT_TRUE(painter.update(frame, *s.screen, &motion).empty()) << "nothing moved, nothing is drawn";
    }
}

TEST(Scene, FractionalPositionsRoundToWholePixels) {
    test::app();
    Scene s(1);
    ScenePainter painter;
    // The height marker crosses the sky of the indicator; at 454.4 it is drawn on row 454, at
    // 454.6 on row 455.
    for (auto [y, row] : {std::pair{454.4, 454}, {454.6, 455}}) {
        s.screen->Line4.Y1 = s.screen->Line4.Y2 = y;
        const QImage img = painter.render(*s.screen);
        EXPECT_EQ(img.pixel(250, row) & 0xFFFFFF, 0xFFFFFFu) << y;
        EXPECT_NE(img.pixel(250, row == 454 ? 455 : 454) & 0xFFFFFF, 0xFFFFFFu) << y;
    }
}

TEST(Scene, WhiteIsSeeThroughInSpritePicturesButNotInIcons) {
    test::app();
    Image img{3, 1, {0xFFFFFFFFu, 0xFF102030u, 0x00000000u}};
    struct Row {
        bool whiteIsTransparent;
        QRgb white, colour, clear;
    } rows[] = {
        {true, 0x00000000u, 0xFF102030u, 0x00000000u},
        {false, 0xFFFFFFFFu, 0xFF102030u, 0x00000000u},
    };
    for (const Row& r : rows) {
        const QImage q = toQImage(img, r.whiteIsTransparent).convertToFormat(QImage::Format_ARGB32);
        EXPECT_EQ(q.pixel(0, 0), r.white) << r.whiteIsTransparent;
        EXPECT_EQ(q.pixel(1, 0), r.colour) << r.whiteIsTransparent;
        EXPECT_EQ(qAlpha(q.pixel(2, 0)), qAlpha(r.clear)) << r.whiteIsTransparent;
    }
}

// The installed icons are the window's cloud, each pixel a whole square, as any PNG reader sees them.
TEST(Scene, TheDesktopIconsArePixelForPixelTheCloud) {
    test::app();
    const QImage cloud = toQImage(*assets::image("ioblak"), false).convertToFormat(QImage::Format_ARGB32);
    for (const int size : {32, 256}) {
        const QString path = QString(SKY_ICON_DIR "/%1x%1/skyrend.png").arg(size);
        const QImage icon = QImage(path).convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(icon.size(), QSize(size, size)) << path.toStdString();
        const int k = size / cloud.width();
        int wrong = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) wrong += icon.pixel(x, y) != cloud.pixel(x / k, y / k);
        EXPECT_EQ(wrong, 0) << size;
    }
}

}  // namespace
}  // namespace sky::qt
