// The game's message boxes.
#include "qt/messagebox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include "game/controls.h"
#include "qt/driver.h"
#include "qt/language.h"
#include "shell/frontend.h"

namespace sky::qt {

namespace {

QMessageBox::StandardButton buttonOf(int answer) {
    return answer == kYes ? QMessageBox::Yes : answer == kNo ? QMessageBox::No : QMessageBox::Ok;
}

// The box of this style with the game's buttons, not shown yet.
QMessageBox* makeBox(QWidget* parent, const std::string& text, const std::string& title, int style) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    if (style == kInformation) icon = QMessageBox::Information;
    if (style == kQuestion) icon = QMessageBox::Question;
    const BoxLayout layout = boxLayout(style);
    auto* box = new QMessageBox(icon, uiText(title), uiText(text), QMessageBox::NoButton, parent);
    for (const BoxButton& b : layout.buttons) box->addButton(buttonOf(b.answer))->setText(uiText(b.caption));
    box->setDefaultButton(buttonOf(layout.defaultAnswer));
    box->setEscapeButton(box->button(buttonOf(layout.escapeAnswer)));
    return box;
}

}  // namespace

int showMessageBox(QWidget* parent, const std::string& text, const std::string& title, int style, Driver& driver,
                   Controls& controls) {
    const BoxLayout layout = boxLayout(style);
    QPointer<QMessageBox> box = makeBox(parent, text, title, style);
    box->setWindowModality(Qt::ApplicationModal);
    int answer = layout.escapeAnswer;  // closed some other way
    {
        // The clock runs on while the box is open: the other timers keep firing.
        Driver::NestedLoop running(driver);
        controls.boxOpened(style);
        const int r = box->exec();
        controls.boxClosed();
        for (const BoxButton& b : layout.buttons)
            if (r == buttonOf(b.answer)) answer = b.answer;
    }
    delete box.data();
    return answer;
}

std::unique_ptr<QWidget> showRecordedBox(QWidget* parent, const std::string& text, const std::string& title,
                                         int style) {
    std::unique_ptr<QMessageBox> box(makeBox(parent, text, title, style));
    for (QAbstractButton* b : box->buttons()) b->setEnabled(false);
    box->setAttribute(Qt::WA_ShowWithoutActivating);  // the viewer's keys stay with the watch
    box->show();
    return box;
}

void answerOpenBox(int answer) {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->done(buttonOf(answer));
}

}  // namespace sky::qt
