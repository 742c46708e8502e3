// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Closes every modal dialog that shows while it lives (or answers one as a test asks), so
// that a test never hangs on one, and records what each said for the test to assert.

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <utility>

class ModalWatch : public QObject {
public:
    struct Seen {
        QString title;
        QString text;
        QStringList otherWindows; // the other visible top-level windows at that moment
    };

    ModalWatch() {
        connect(&timer_, &QTimer::timeout, this, &ModalWatch::poll);
        timer_.start(10);
    }
    const QList<Seen> &seen() const { return seen_; }
    // The next message box is answered with the button of this text instead of being closed;
    // meanwhile runs first, as what the user did while the box was open.
    void answerNext(const QString &button, std::function<void()> meanwhile = {}) {
        answer_ = button;
        meanwhile_ = std::move(meanwhile);
    }
    // The next dialog of any kind is handed to act instead of being closed; act must close it
    // (with the keys a user would press).
    void actOnNext(std::function<void(QDialog *)> act) { act_ = std::move(act); }
    // Hands over what was seen so far, for a test that expected it.
    QList<Seen> take() { return std::exchange(seen_, {}); }
    QString describe() const {
        QStringList lines;
        for (const Seen &s : seen_)
            lines << s.title + QStringLiteral(": ") + s.text;
        return lines.join(u'\n');
    }

private:
    void poll() {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || dialog == closing_)
            return;
        const auto *box = qobject_cast<QMessageBox *>(dialog);
        QStringList others;
        for (const QWidget *w : QApplication::topLevelWidgets()) {
            if (w != dialog && w->isVisible())
                others << w->objectName();
        }
        seen_.append({dialog->windowTitle(), box ? box->text() : QString(), others});
        closing_ = dialog;
        if (auto act = std::exchange(act_, {})) {
            act(dialog);
            return;
        }
        QAbstractButton *answer = nullptr;
        for (QAbstractButton *button : box ? box->buttons() : QList<QAbstractButton *>())
            answer = button->text() == answer_ ? button : answer;
        if (!answer) {
            dialog->done(QDialog::Rejected);
            return;
        }
        answer_.clear();
        if (auto meanwhile = std::exchange(meanwhile_, {}))
            meanwhile();
        answer->click();
    }

    QTimer timer_;
    QList<Seen> seen_;
    QPointer<QDialog> closing_;
    QString answer_;
    std::function<void()> meanwhile_;
    std::function<void(QDialog *)> act_;
};
