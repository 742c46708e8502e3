#pragma once
// Closes every modal dialog that shows while it lives, so that a test never hangs on one,
// and records what each said; tests then assert that only the dialogs they expected came.

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
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
        dialog->done(QDialog::Rejected);
    }

    QTimer timer_;
    QList<Seen> seen_;
    QPointer<QDialog> closing_;
};
