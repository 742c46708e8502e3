// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's everyday keys and memory: Ctrl+Q, a number typed anywhere going into the
// quantity, Esc and Ctrl+Z, and the trade and place kept between starts.
#include "form1.h"

#include "ui/figureactions.h"
#include "ui/inputnumerico.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPushButton>
#include <QScreen>

namespace margino {

// The last trade comes back in the fields (a text a field cannot hold stays out) and the
// window where it was, if that place is still on a screen; else the window is centred.
void Form1::restoreTrade() {
    const SessionState::Trade trade = session_.trade(locale());
    for (const auto &[field, text] :
         {std::pair{in_Qta, trade.quantity}, std::pair{in_AcqPzo, trade.price},
          std::pair{in_VndPzo, trade.sale}})
        if (field->holds(text))
            field->setValore(text);
}

void Form1::restoreWindowPosition() {
    const std::optional<QPoint> position = session_.windowPosition();
    for (const QScreen *screen : QGuiApplication::screens())
        if (position && screen->availableGeometry().contains(QRect(*position, QSize(40, 20)))) {
            move(*position);
            return;
        }
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void Form1::closeEvent(QCloseEvent *event) {
    session_.setTrade({in_Qta->Valore(), in_AcqPzo->Valore(), in_VndPzo->Valore()}, locale());
    session_.setWindowPosition(pos());
    session_.save();
    QMainWindow::closeEvent(event);
}

bool Form1::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return QMainWindow::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    // Ctrl+Q ends the program from any window, the modal ones included.
    if (key->key() == Qt::Key_Q && key->modifiers() == Qt::ControlModifier) {
        QApplication::closeAllWindows();
        return true;
    }
    auto *widget = static_cast<QWidget *>(watched);
    if (widget->window() != this || QApplication::activeModalWidget())
        return QMainWindow::eventFilter(watched, event);
    if (!isPlainTyping(key) && key->matches(QKeySequence::Undo) && restoreClearedFields())
        return true;
    // A number typed while "Esci" or a figure has the focus starts the quantity, so nothing
    // typed right after start is lost.
    const QString typed = key->text();
    const bool startsNumber =
        typed.size() == 1 && (typed[0].isDigit() || typed[0] == u',' || typed[0] == u'.' ||
                              typed[0] == in_Qta->decimalSeparator());
    const bool figure = widget->findChild<FigureActions *>(QString(), Qt::FindDirectChildrenOnly);
    if (startsNumber && (widget == cmd_Ok || figure) &&
        !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        in_Qta->setFocus(Qt::ShortcutFocusReason); // selects its text: the key replaces it
        QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->text(), key->isAutoRepeat(),
                       key->count());
        QCoreApplication::sendEvent(in_Qta, &copy);
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

// Esc or Azzera: the three fields emptied, which blanks every figure; Ctrl+Z brings them back.
void Form1::clearFields() {
    const SessionState::Trade shown{in_Qta->Valore(), in_AcqPzo->Valore(), in_VndPzo->Valore()};
    if (shown == SessionState::Trade{})
        return;
    cleared_ = shown;
    for (InputNumerico *field : {in_Qta, in_AcqPzo, in_VndPzo})
        field->setValore(QString());
}

// Only while the fields are still empty: once something is typed, Ctrl+Z is the field's own.
bool Form1::restoreClearedFields() {
    if (!cleared_ || !in_Qta->Valore().isEmpty() || !in_AcqPzo->Valore().isEmpty() ||
        !in_VndPzo->Valore().isEmpty())
        return false;
    in_Qta->setValore(cleared_->quantity);
    in_AcqPzo->setValore(cleared_->price);
    in_VndPzo->setValore(cleared_->sale);
    cleared_.reset();
    return true;
}

} // namespace margino
