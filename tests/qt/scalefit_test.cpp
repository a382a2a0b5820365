// The scale the game screen opens at.
#include "qt/scalefit.h"
#include "qt_support.h"

namespace sky::qt {
namespace {

TEST(ScaleFit, LargestWholeScaleWhoseFramedWindowFits) {
    const QSize scene(669, 515);
    struct Row {
        QSize available, frame;
        int wanted, scale;
        bool reduced;
    } rows[] = {
        {{1280, 1024}, {0, 0}, 2, 1, true},  // the window that hung off the screen
        {{1024, 768}, {0, 0}, 2, 1, true},    {{1280, 1024}, {0, 0}, 0, 1, false},
        {{1920, 1050}, {2, 30}, 0, 1, false},  // 1030 + 30 is too tall
        {{1920, 1080}, {2, 30}, 0, 2, false}, {{2560, 1400}, {2, 30}, 3, 2, true},
        {{2560, 1400}, {2, 30}, 1, 1, false}, {{3840, 2100}, {0, 0}, 0, 4, false},
        {{640, 480}, {0, 0}, 0, 1, false},    {{100000, 100000}, {0, 0}, 0, kMaxScale, false},
    };
    for (const Row& r : rows) {
        const ScaleChoice c = chooseScale(r.available, r.frame, scene, r.wanted);
        EXPECT_EQ(c.scale, r.scale) << r.available.width() << "x" << r.available.height() << " wanted " << r.wanted;
        EXPECT_EQ(c.reduced, r.reduced) << r.available.width() << "x" << r.available.height();
    }
}

}  // namespace
}  // namespace sky::qt
