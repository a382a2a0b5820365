// The game with its Qt windows.
#include "qt/app.h"

#include <QApplication>

namespace sky::qt {

int runApp(int argc, char** argv) {
    QApplication app(argc, argv);
    return 0;  // TODO(qt)
}

}  // namespace sky::qt
