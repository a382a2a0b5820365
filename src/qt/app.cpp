// The game with its Qt windows.
#include "qt/app.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "qt/appearance.h"
#include "qt/qtfrontend.h"
#include "shell/program.h"

namespace sky::qt {

int runApp(int argc, char** argv) {
    Options options;
    Pace pace = Pace::Classic;  // the system tick the game's speeds were tuned on
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--scale") == 0 && hasValue) {
            options.scale = std::max(1, std::atoi(argv[++i]));
        } else if (std::strcmp(argv[i], "--pace") == 0 && hasValue) {
            const std::string p = argv[++i];
            if (p == "classic")
                pace = Pace::Classic;
            else if (p == "xp")
                pace = Pace::Xp;
            else if (p == "nominal")
                pace = Pace::Nominal;
            else {
                std::fprintf(stderr, "skyrend: --pace is classic, xp or nominal\n");
                return 2;
            }
        }
    }
    if (const char* t = std::getenv("SKY_DEBUG_TICKS"); t && *t && std::strcmp(t, "0") != 0) options.debugTicks = true;

    QApplication app(argc, argv);
    setupAppearance(app);
    QtFrontEnd frontEnd(options);
    int rc = 0;
    {
        Program program(frontEnd, "new.dat");
        program.scheduler().setPace(pace);
        frontEnd.attach(program);
        frontEnd.start();
        rc = app.exec();
        // The windows refer to the program: they go first.
        frontEnd.shutdown();
    }
    return rc;
}

}  // namespace sky::qt
