// SPDX-License-Identifier: GPL-3.0-or-later
#include "journalmodel.h"

namespace margino {

namespace {

// Enough rows for many screens; beyond it the cache starts afresh rather than grow.
constexpr qsizetype CacheLimit = 4096;

const QString &field(const Trade &t, JournalView::Column column) {
    switch (column) {
    case JournalView::Quantity:
        return t.quantity;
    case JournalView::PurchasePrice:
        return t.purchasePrice;
    case JournalView::SalePrice:
        return t.salePrice;
    case JournalView::PurchaseAmount:
        return t.purchaseAmount;
    case JournalView::SaleAmount:
        return t.saleAmount;
    case JournalView::Commissions:
        return t.commissions;
    case JournalView::Tax:
        return t.transactionTax;
    case JournalView::Gain:
        return t.gain;
    case JournalView::GainAfterTax:
        return t.gainAfterTax;
    default:
        return t.note;
    }
}

} // namespace

QString journalColumnTitle(JournalView::Column column) {
    static const char *const titles[] = {"Data",
                                         "Quantità",
                                         "Prezzo acquisto",
                                         "Prezzo vendita",
                                         "Importo acquisto",
                                         "Importo vendita",
                                         "Commissioni",
                                         "Tassa",
                                         "Guadagno",
                                         "Guadagno netto",
                                         "Nota"};
    return QString::fromUtf8(titles[column]);
}

JournalModel::JournalModel(QObject *parent) : QAbstractTableModel(parent) {}

void JournalModel::setJournal(JournalFile *journal) {
    journal_ = journal;
    reload();
}

void JournalModel::setYear(int year) {
    view_.year = year;
    reload();
}

void JournalModel::reload() {
    beginResetModel();
    cache_.clear();
    ids_.clear();
    try {
        if (journal_)
            ids_ = journal_->ids(view_);
    } catch (const JournalError &error) {
        endResetModel();
        report(error);
        return;
    }
    endResetModel();
}

const Trade *JournalModel::tradeAt(int row) const {
    const qint64 id = ids_.value(row);
    if (const auto found = cache_.constFind(id); found != cache_.cend())
        return &*found;
    if (!journal_ || row < 0 || row >= ids_.size())
        return nullptr;
    if (cache_.size() >= CacheLimit)
        cache_.clear();
    try {
        const std::optional<Trade> trade = journal_->trade(id);
        if (!trade)
            return nullptr; // deleted by another copy meanwhile
        return &*cache_.insert(id, *trade);
    } catch (const JournalError &error) {
        report(error);
        return nullptr;
    }
}

int JournalModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(ids_.size());
}

int JournalModel::columnCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : JournalView::ColumnCount;
}

QString JournalModel::localText(const QString &decimal, const QLocale &locale) {
    QString text = decimal;
    return text.replace(u'.', locale.decimalPoint());
}

QVariant JournalModel::data(const QModelIndex &index, int role) const {
    if (!index.isValid())
        return {};
    const auto column = JournalView::Column(index.column());
    if (role == Qt::TextAlignmentRole)
        return column == JournalView::Note || column == JournalView::Date
                   ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                   : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::EditRole && role != Qt::ToolTipRole)
        return {};
    const Trade *trade = tradeAt(index.row());
    if (!trade)
        return {};
    if (role == Qt::ToolTipRole)
        return trade->isOpen() && column != JournalView::Note
                   ? QStringLiteral("Operazione aperta: nessun prezzo di vendita")
                   : QVariant();
    if (column == JournalView::Date)
        return QString::asprintf("%02d/%02d/%04d %02d:%02d", trade->savedAt.date().day(),
                                 trade->savedAt.date().month(), trade->savedAt.date().year(),
                                 trade->savedAt.time().hour(), trade->savedAt.time().minute());
    if (column == JournalView::Note)
        return trade->note;
    return localText(field(*trade, column), QLocale());
}

QVariant JournalModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= JournalView::ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return journalColumnTitle(JournalView::Column(section));
}

Qt::ItemFlags JournalModel::flags(const QModelIndex &index) const {
    const Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    return index.column() == JournalView::Note ? flags | Qt::ItemIsEditable : flags;
}

bool JournalModel::setData(const QModelIndex &index, const QVariant &value, int role) {
    if (!journal_ || role != Qt::EditRole || index.column() != JournalView::Note)
        return false;
    const qint64 id = ids_.value(index.row());
    try {
        journal_->setNote(id, value.toString());
    } catch (const JournalError &error) {
        report(error);
        return false;
    }
    cache_.remove(id);
    emit dataChanged(index, index);
    return true;
}

void JournalModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= JournalView::ColumnCount)
        return;
    view_.sortColumn = JournalView::Column(column);
    view_.descending = order == Qt::DescendingOrder;
    reload();
}

void JournalModel::report(const JournalError &error) const {
    if (errorHandler_)
        errorHandler_(error);
}

} // namespace margino
