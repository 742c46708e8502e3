// SPDX-License-Identifier: GPL-3.0-or-later
// The journal window's deletion: Canc asks, then deletes the selected trades in one
// transaction and keeps them, so that Ctrl+Z puts them back while the window is open.
#include "journalwindow.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTableView>

namespace margino {

void JournalWindow::deleteSelected() {
    QList<qint64> ids;
    for (const QModelIndex &index : table_->selectionModel()->selectedRows())
        ids << model_.idAt(index.row());
    if (ids.isEmpty() && table_->currentIndex().isValid())
        ids << model_.idAt(table_->currentIndex().row());
    if (ids.isEmpty() || !journal_)
        return;
    const int row = table_->currentIndex().row();
    const QString question =
        ids.size() == 1 ? QStringLiteral("Eliminare l'operazione selezionata?")
                        : QStringLiteral("Eliminare le %1 operazioni selezionate?").arg(ids.size());
    QMessageBox box(QMessageBox::Question, QStringLiteral("Elimina"), question,
                    QMessageBox::NoButton, this);
    QPushButton *yes = box.addButton(QStringLiteral("Elimina"), QMessageBox::AcceptRole);
    box.setDefaultButton(box.addButton(QStringLiteral("Annulla"), QMessageBox::RejectRole));
    box.exec();
    if (box.clickedButton() != yes)
        return;
    try {
        deleted_.append(journal_->remove(ids));
    } catch (const JournalError &error) {
        failed(error);
        return;
    }
    refresh();
    if (model_.rowCount() > 0)
        table_->setCurrentIndex(model_.index(std::min(row, model_.rowCount() - 1), 0));
    setStatus(QStringLiteral("Eliminate: %1. Ctrl+Z le ripristina finché la finestra è aperta.")
                  .arg(deleted_.last().size()));
}

void JournalWindow::undoDelete() {
    if (deleted_.isEmpty() || !openJournal()) {
        setStatus(QStringLiteral("Nessuna eliminazione da annullare."));
        return;
    }
    try {
        journal_->restore(deleted_.last());
    } catch (const JournalError &error) {
        failed(error);
        return;
    }
    const QList<Trade> restored = deleted_.takeLast();
    refresh();
    table_->clearSelection();
    for (const Trade &trade : restored) {
        if (const int row = model_.rowOf(trade.id); row >= 0) {
            table_->selectionModel()->select(model_.index(row, 0), QItemSelectionModel::Select |
                                                                       QItemSelectionModel::Rows);
            table_->setCurrentIndex(model_.index(row, 0));
        }
    }
    setStatus(QStringLiteral("Ripristinate: %1.").arg(restored.size()));
}

} // namespace margino
