// The game's message boxes as real modal Qt boxes, with the clock running on while they are open.
#pragma once

#include <memory>
#include <string>

class QWidget;

namespace sky {
class Controls;
}

namespace sky::qt {

class Driver;

// Shows the box over parent (or on its own) and returns the answer (kOk, kYes, kNo) in the
// game's styles (kOkOnly, kQuestion, kInformation), with the buttons, default and Esc answer the
// game's controls give that style; the controls also learn the box is open, so a key held when
// it opened does not reach it. The driver keeps the clock moving meanwhile.
int showMessageBox(QWidget* parent, const std::string& text, const std::string& title, int style, Driver& driver,
                   Controls& controls);

// A box the watched recording opened: shown over parent with its buttons greyed (the recording
// answers it), taking neither the focus nor the viewer's keys, until the pointer goes.
std::unique_ptr<QWidget> showRecordedBox(QWidget* parent, const std::string& text, const std::string& title, int style);

// Answers the modal box now open with the game's answer (kOk, kYes, kNo).
void answerOpenBox(int answer);

}  // namespace sky::qt
