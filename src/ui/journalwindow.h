// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Registro operazioni": the saved trades in a table over the journal model, a year filter with
// the year's totals, and Apri, Elimina (undone by Ctrl+Z while open) and Esporta…

#include "calc/tradetexts.h"
#include "journal/journalmodel.h"

#include <QWidget>
#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableView;
class QThread;

namespace margino {

class JournalWindow : public QWidget {
    Q_OBJECT

public:
    // openTrade types a trade's fields into the main window and returns what it then shows.
    JournalWindow(const QString &fileName, std::function<TradeTexts(const Trade &)> openTrade,
                  QWidget *parent = nullptr);
    ~JournalWindow() override;

    JournalModel *model() { return &model_; }
    bool exporting() const { return exportThread_ != nullptr; }

public slots:
    // Reads the journal again (after a save from the main window, say).
    void refresh();
    void openSelected();
    void deleteSelected();
    void undoDelete();
    void exportShown();
    // Writes the trades shown to target without asking for a name.
    void exportTo(const QString &target);

signals:
    void exportFinished(bool written);

private:
    bool openJournal();
    void fillYears();
    void showTotals();
    void setStatus(const QString &text);
    void failed(const JournalError &error);
    void exportDone();
    // Asks a running export to stop (it then leaves no file); wait: until its thread ends.
    void stopExport(bool wait);

    QString fileName_;
    std::function<TradeTexts(const Trade &)> openTrade_;
    std::unique_ptr<JournalFile> journal_;
    JournalModel model_;
    QList<QList<Trade>> deleted_; // what Ctrl+Z restores, latest last
    QComboBox *year_;
    QTableView *table_;
    QLabel *totals_, *status_;
    QPushButton *open_, *delete_, *export_, *stop_;
    QProgressBar *progress_;
    QThread *exportThread_ = nullptr;
    struct ExportState;
    std::shared_ptr<ExportState> exportState_;
};

} // namespace margino
