// The game's message boxes.
#include "qt/messagebox.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPointer>

#include "qt/driver.h"
#include "qt/heldkeys.h"
#include "qt/language.h"
#include "shell/frontend.h"

namespace sky::qt {

int showMessageBox(QWidget* parent, const std::string& text, const std::string& title, int style, Driver& driver) {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    if (style == kInformation) icon = QMessageBox::Information;
    if (style == kQuestion) {
        icon = QMessageBox::Question;
        buttons = QMessageBox::Yes | QMessageBox::No;
    }
    QPointer<QMessageBox> box = new QMessageBox(icon, uiText(title), uiText(text), buttons, parent);
    box->setWindowModality(Qt::ApplicationModal);
    // Qt 6 looks the standard buttons' words up under QPlatformTheme, which its Slovak catalogue
    // does not cover yet; the same words are there under QDialogButtonBox (Áno, Nie).
    for (auto [which, english] : {std::pair{QMessageBox::Yes, "&Yes"}, {QMessageBox::No, "&No"}}) {
        const QString word = QCoreApplication::translate("QDialogButtonBox", english);
        if (QAbstractButton* b = box->button(which); b && word != QLatin1String(english)) b->setText(word);
    }
    if (style == kQuestion) box->setDefaultButton(QMessageBox::Yes);
    int answer = style == kQuestion ? kNo : kOk;
    {
        // The clock runs on while the box is open: the other timers keep firing.
        Driver::NestedLoop running(driver);
        // An arrow still held from the game must not move the focus to No, nor answer.
        HeldKeys& held = HeldKeys::install();
        held.boxOpened();
        const int r = box->exec();
        held.boxClosed();
        if (r == QMessageBox::Yes)
            answer = kYes;
        else if (r == QMessageBox::No)
            answer = kNo;
    }
    delete box.data();
    return answer;
}

}  // namespace sky::qt
