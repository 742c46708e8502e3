// SPDX-License-Identifier: GPL-3.0-or-later
// The journal window's export: a name from Qt's own file dialog, then a thread of its own with
// its own connection, so the window stays usable and shows the progress.
#include "journalwindow.h"

#include "journal/journalexport.h"
#include "ui/journalerrors.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QThread>
#include <QTimer>

namespace margino {

struct JournalWindow::ExportState {
    std::atomic<bool> stop = false;
    std::atomic<int> written = 0;
    std::optional<JournalError> error;
    bool complete = false;
    QString target;
};

void JournalWindow::exportShown() {
    if (exportThread_ || !journal_)
        return;
    QFileDialog dialog(this, QStringLiteral("Esporta operazioni"), QDir::homePath());
    dialog.setObjectName(QStringLiteral("exportDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({QStringLiteral("Testo CSV per fogli di calcolo (*.csv)"),
                           QStringLiteral("Cartella di lavoro Excel (*.xlsx)")});
    const int year = model_.view().year;
    dialog.selectFile(year ? QStringLiteral("Operazioni-%1.csv").arg(year)
                           : QStringLiteral("Operazioni.csv"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    QString target = dialog.selectedFiles().constFirst();
    // The format follows the name; a name without either extension takes the chosen filter's.
    const QString suffix = QFileInfo(target).suffix().toLower();
    if (suffix != QStringLiteral("csv") && suffix != QStringLiteral("xlsx"))
        target += dialog.selectedNameFilter().contains(QStringLiteral("xlsx"))
                      ? QStringLiteral(".xlsx")
                      : QStringLiteral(".csv");
    exportTo(target);
}

void JournalWindow::exportTo(const QString &target) {
    if (exportThread_ || !journal_)
        return;
    auto state = std::make_shared<ExportState>();
    state->target = target;
    exportState_ = state;
    const QString journalFile = fileName_;
    const JournalView view = model_.view();
    exportThread_ = QThread::create([state, journalFile, view] {
        try {
            state->complete = exportJournal(journalFile, view, state->target, [&](int written) {
                state->written = written;
                return !state->stop.load();
            });
        } catch (const JournalError &error) {
            state->error = error;
        }
    });
    progress_->setRange(0, std::max(1, model_.rowCount()));
    progress_->setValue(0);
    progress_->show();
    stop_->show();
    export_->setEnabled(false);
    setStatus(QStringLiteral("Esportazione in corso…"));
    auto *timer = new QTimer(exportThread_);
    connect(timer, &QTimer::timeout, progress_,
            [this, state] { progress_->setValue(state->written); });
    timer->start(50);
    connect(exportThread_, &QThread::finished, this, &JournalWindow::exportDone);
    exportThread_->start(QThread::LowPriority);
}

void JournalWindow::stopExport(bool wait) {
    if (!exportThread_)
        return;
    exportState_->stop = true;
    if (wait)
        exportThread_->wait();
}

void JournalWindow::exportDone() {
    const std::shared_ptr<ExportState> state = std::exchange(exportState_, nullptr);
    exportThread_->deleteLater();
    exportThread_ = nullptr;
    progress_->hide();
    stop_->hide();
    export_->setEnabled(true);
    if (state->error) {
        setStatus(QStringLiteral("Esportazione non riuscita."));
        reportJournalError(this, *state->error,
                           state->error->kind() == JournalError::Damaged ? fileName_
                                                                         : state->target);
    } else if (!state->complete) {
        setStatus(QStringLiteral("Esportazione interrotta: nessun file scritto."));
    } else {
        setStatus(QStringLiteral("Esportate %1 operazioni in %2.")
                      .arg(state->written)
                      .arg(QDir::toNativeSeparators(state->target)));
    }
    emit exportFinished(state->complete && !state->error);
}

} // namespace margino
