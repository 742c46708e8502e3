// SPDX-License-Identifier: GPL-3.0-or-later
#include "savetradedialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace margino {

SaveTradeDialog::SaveTradeDialog(const QString &summary, std::function<bool(const QString &)> save,
                                 QWidget *parent)
    : QDialog(parent), save_(std::move(save)) {
    setObjectName(QStringLiteral("SaveTradeDialog"));
    setWindowTitle(QStringLiteral("Salva operazione"));
    auto *layout = new QFormLayout(this);
    auto *trade = new QLabel(summary, this);
    trade->setObjectName(QStringLiteral("trade"));
    layout->addRow(trade);
    note_ = new QLineEdit(this);
    note_->setObjectName(QStringLiteral("Nota"));
    note_->setAccessibleName(QStringLiteral("Nota"));
    note_->setMinimumWidth(280);
    layout->addRow(QStringLiteral("&Nota"), note_);
    auto *buttons = new QDialogButtonBox(this);
    QPushButton *saveButton =
        buttons->addButton(QStringLiteral("&Salva"), QDialogButtonBox::AcceptRole);
    saveButton->setObjectName(QStringLiteral("save"));
    saveButton->setDefault(true); // Enter in the note saves
    buttons->addButton(QStringLiteral("Annulla"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &SaveTradeDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SaveTradeDialog::reject);
    layout->addRow(buttons);
    note_->setFocus();
}

QString SaveTradeDialog::note() const {
    return note_->text();
}

void SaveTradeDialog::accept() {
    if (save_(note_->text()))
        QDialog::accept();
    else
        note_->setFocus();
}

} // namespace margino
