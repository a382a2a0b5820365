// The game's message boxes as real modal Qt boxes, with the clock running on while they are open.
#pragma once

#include <string>

class QWidget;

namespace sky::qt {

class Driver;

// Shows the box over parent (or on its own) and returns the answer (kOk, kYes, kNo) in the
// game's styles (kOkOnly, kQuestion, kInformation). The driver keeps the clock moving meanwhile.
int showMessageBox(QWidget* parent, const std::string& text, const std::string& title, int style, Driver& driver);

}  // namespace sky::qt
