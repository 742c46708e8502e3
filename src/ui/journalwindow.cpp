// SPDX-License-Identifier: GPL-3.0-or-later
#include "journalwindow.h"

#include "journal/journalexport.h"
#include "ui/journalerrors.h"
#include "ui/journaltrade.h"

#include <QAction>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QThread>
#include <QVBoxLayout>

namespace margino {

namespace {

QPushButton *button(QWidget *parent, const QString &text, const QString &name) {
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAccessibleName(name);
    b->setAutoDefault(false);
    return b;
}

QString euro(qint64 cents) {
    return QLocale().toString(double(cents) / 100, 'f', 2) + QStringLiteral(" €");
}

} // namespace

JournalWindow::JournalWindow(const QString &fileName,
                             std::function<TradeTexts(const Trade &)> openTrade, QWidget *parent)
    : QWidget(parent, Qt::Window), fileName_(fileName), openTrade_(std::move(openTrade)) {
    setObjectName(QStringLiteral("JournalWindow"));
    setWindowTitle(QStringLiteral("Registro operazioni"));
    setAttribute(Qt::WA_DeleteOnClose);
    model_.setErrorHandler([this](const JournalError &error) { failed(error); });

    auto *yearLabel = new QLabel(QStringLiteral("&Anno"), this);
    year_ = new QComboBox(this);
    year_->setObjectName(QStringLiteral("Anno"));
    year_->setAccessibleName(QStringLiteral("Anno"));
    yearLabel->setBuddy(year_);
    totals_ = new QLabel(this);
    totals_->setObjectName(QStringLiteral("totals"));
    totals_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    auto *top = new QHBoxLayout;
    top->addWidget(yearLabel);
    top->addWidget(year_);
    top->addWidget(totals_, 1);

    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("Operazioni"));
    table_->setAccessibleName(QStringLiteral("Operazioni"));
    table_->setModel(&model_);
    table_->setSortingEnabled(true);
    table_->horizontalHeader()->setSortIndicator(JournalView::Date, Qt::DescendingOrder);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::DoubleClicked);
    table_->setTabKeyNavigation(false);
    table_->setWordWrap(false);
    // Fixed row heights and column widths: nothing is measured over 100 000 rows.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    table_->verticalHeader()->hide();
    // Each column as wide as its title (the date as its text), measured once, not over the rows.
    const QFontMetrics header(table_->horizontalHeader()->font());
    for (int c = 0; c < JournalView::ColumnCount; ++c) {
        const QString sample = c == JournalView::Date ? QStringLiteral("00/00/0000 00:00")
                                                      : journalColumnTitle(JournalView::Column(c));
        table_->horizontalHeader()->resizeSection(
            c, std::max(72, header.horizontalAdvance(sample) + 28));
    }
    table_->horizontalHeader()->setStretchLastSection(true);
    connect(table_, &QTableView::activated, this, &JournalWindow::openSelected);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("status"));
    status_->setWordWrap(true);
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("progress"));
    progress_->hide();
    open_ = button(this, QStringLiteral("A&pri"), QStringLiteral("Apri"));
    delete_ = button(this, QStringLiteral("&Elimina"), QStringLiteral("Elimina"));
    export_ = button(this, QStringLiteral("E&sporta…"), QStringLiteral("Esporta…"));
    stop_ = button(this, QStringLiteral("&Interrompi"), QStringLiteral("Interrompi"));
    stop_->hide();
    auto *close = button(this, QStringLiteral("&Chiudi"), QStringLiteral("Chiudi"));
    connect(open_, &QPushButton::clicked, this, &JournalWindow::openSelected);
    connect(delete_, &QPushButton::clicked, this, &JournalWindow::deleteSelected);
    connect(export_, &QPushButton::clicked, this, &JournalWindow::exportShown);
    connect(stop_, &QPushButton::clicked, this, [this] { stopExport(false); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto *buttons = new QHBoxLayout;
    for (QWidget *w : {static_cast<QWidget *>(open_), static_cast<QWidget *>(delete_),
                       static_cast<QWidget *>(export_), static_cast<QWidget *>(progress_),
                       static_cast<QWidget *>(stop_)})
        buttons->addWidget(w);
    buttons->addStretch();
    buttons->addWidget(close);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(table_, 1);
    layout->addWidget(status_);
    layout->addLayout(buttons);

    // Canc deletes from the table only: in the note's editor it deletes a character.
    auto *remove = new QAction(this);
    remove->setShortcut(QKeySequence::Delete);
    remove->setShortcutContext(Qt::WidgetShortcut);
    connect(remove, &QAction::triggered, this, &JournalWindow::deleteSelected);
    table_->addAction(remove);
    auto *undo = new QShortcut(QKeySequence::Undo, this);
    connect(undo, &QShortcut::activated, this, &JournalWindow::undoDelete);
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    connect(year_, &QComboBox::currentIndexChanged, this, [this] {
        model_.setYear(year_->currentData().toInt());
        showTotals();
    });
    resize(1120, 520);
    refresh();
    table_->setFocus();
}

JournalWindow::~JournalWindow() {
    stopExport(true);
}

bool JournalWindow::openJournal() {
    if (journal_ && journal_->stillAtItsName())
        return true;
    model_.setJournal(nullptr);
    journal_.reset();
    try {
        journal_ = std::make_unique<JournalFile>(fileName_, JournalFile::Open::Existing);
        setStatus(QString()); // what was said of a missing or set-aside journal is over
    } catch (const JournalError &error) {
        if (error.kind() == JournalError::Missing)
            setStatus(error.summary());
        else
            failed(error);
        return false;
    }
    return true;
}

void JournalWindow::refresh() {
    openJournal();
    const QSignalBlocker blocker(year_);
    model_.setJournal(journal_.get());
    fillYears();
    model_.setYear(year_->currentData().toInt());
    showTotals();
    if (model_.rowCount() > 0 && !table_->currentIndex().isValid())
        table_->setCurrentIndex(model_.index(0, 0));
}

// "Tutti" and each year holding a trade; the year shown stays, else the newest is shown.
void JournalWindow::fillYears() {
    const int shown = year_->count() ? year_->currentData().toInt() : -1;
    QList<int> years;
    try {
        if (journal_)
            years = journal_->years();
    } catch (const JournalError &error) {
        failed(error);
    }
    year_->clear();
    year_->addItem(QStringLiteral("Tutti"), 0);
    for (const int year : years)
        year_->addItem(QString::number(year), year);
    const int found = year_->findData(shown);
    year_->setCurrentIndex(found >= 0 ? found : years.isEmpty() ? 0 : 1);
}

void JournalWindow::showTotals() {
    YearTotals t;
    try {
        if (journal_)
            t = journal_->totals(model_.view().year);
    } catch (const JournalError &error) {
        failed(error);
    }
    totals_->setText(
        QStringLiteral("Chiuse %1, aperte %2 — guadagni %3, perdite %4, netto %5, "
                       "costi %6, imposta %7")
            .arg(t.closed)
            .arg(t.open)
            .arg(euro(t.gains), euro(t.losses), euro(t.net), euro(t.costs), euro(t.tax)));
    totals_->setAccessibleName(totals_->text());
}

void JournalWindow::setStatus(const QString &text) {
    status_->setText(text);
}

void JournalWindow::failed(const JournalError &error) {
    if (reportJournalError(this, error, fileName_)) {
        // Set aside: the journal starts anew at the next save.
        model_.setJournal(nullptr);
        journal_.reset();
        fillYears();
        showTotals();
        setStatus(QStringLiteral("Il registro è vuoto: la prossima operazione salvata ne "
                                 "comincia uno nuovo."));
    }
}

void JournalWindow::openSelected() {
    const Trade *trade = model_.tradeAt(table_->currentIndex().row());
    if (!trade)
        return;
    const Trade saved = *trade;
    const QStringList changed = changedFigures(saved, openTrade_(saved), locale());
    setStatus(changed.isEmpty()
                  ? QStringLiteral("Operazione aperta nella finestra principale: le cifre sono "
                                   "quelle salvate.")
                  : QStringLiteral("Operazione aperta nella finestra principale. Con le "
                                   "impostazioni di oggi cambiano: %1.")
                        .arg(changed.join(QStringLiteral(", "))));
}

} // namespace margino
