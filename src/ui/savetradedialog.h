// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Salva operazione": asks for a note and hands it to the save; a save that fails keeps the
// dialog open with the note, for another try. What is saved, and where, is the caller's.

#include <QDialog>
#include <functional>

class QLineEdit;

namespace margino {

class SaveTradeDialog : public QDialog {
    Q_OBJECT

public:
    // save gets the note and returns whether the trade is in the journal.
    SaveTradeDialog(const QString &summary, std::function<bool(const QString &)> save,
                    QWidget *parent = nullptr);

    QString note() const;

    void accept() override;

private:
    std::function<bool(const QString &)> save_;
    QLineEdit *note_;
};

} // namespace margino
