// SPDX-License-Identifier: GPL-3.0-or-later
#include "tradecolumns.h"

#include "journal/decimaltext.h"
#include "journal/schema.h"

namespace margino {

namespace {

// yyyy-MM-ddTHH:mm:ss, read and written by hand: Qt's format parser costs tens of
// microseconds a call, seconds over a large journal's export.
QString savedAtText(const QDateTime &when) {
    const QDate d = when.date();
    const QTime t = when.time();
    return QString::asprintf("%04d-%02d-%02dT%02d:%02d:%02d", d.year(), d.month(), d.day(),
                             t.hour(), t.minute(), t.second());
}

QDateTime savedAtOf(QStringView text) {
    const auto part = [text](int from, int size) { return text.mid(from, size).toInt(); };
    if (text.size() < 19)
        return {};
    return QDateTime(QDate(part(0, 4), part(5, 2), part(8, 2)),
                     QTime(part(11, 2), part(14, 2), part(17, 2)));
}

QVariant centsOrNull(const QString &text) {
    const std::optional<qint64> cents = toCents(text);
    return cents ? QVariant(*cents) : QVariant();
}

} // namespace

void bindTrade(Statement &s, const Trade &t) {
    const QString texts[] = {t.quantity,    t.purchasePrice, t.salePrice,         t.purchaseAmount,
                             t.saleAmount,  t.breakEven,     t.stopPercent,       t.stopMoney,
                             t.commissions, t.gain,          t.gainPercent,       t.gainAfterTax,
                             t.costs.rate,  t.costs.minimum, t.costs.capitalGain, t.note};
    s.bind(2, savedAtText(t.savedAt)).bind(3, qint64(t.savedAt.date().year()));
    int index = 4;
    for (const QString &text : texts)
        s.bind(index++, text);
    for (const QString &money : {t.gain, t.gainAfterTax, t.commissions}) {
        const QVariant cents = centsOrNull(money);
        cents.isNull() ? s.bindNull(index++) : s.bind(index++, cents.toLongLong());
    }
    for (const QString &text : {t.costs.maximum, t.costs.maximumPercent, t.costs.fixed,
                                t.costs.perShare, t.costs.taxRate})
        s.bind(index++, text);
    s.bind(index++, qint64(t.costs.taxApplied));
    s.bind(index++, t.transactionTax);
    s.bind(index, toCents(t.transactionTax).value_or(0));
}

Trade readTrade(const Statement &s) {
    Trade t;
    t.id = s.integer(0);
    t.savedAt = savedAtOf(s.text(1));
    QString *const texts[] = {
        &t.quantity,    &t.purchasePrice, &t.salePrice,         &t.purchaseAmount,
        &t.saleAmount,  &t.breakEven,     &t.stopPercent,       &t.stopMoney,
        &t.commissions, &t.gain,          &t.gainPercent,       &t.gainAfterTax,
        &t.costs.rate,  &t.costs.minimum, &t.costs.capitalGain, &t.note};
    int column = 3;
    for (QString *text : texts)
        *text = s.text(column++);
    column = 22; // past the cents, which follow from the texts
    for (QString *text : {&t.costs.maximum, &t.costs.maximumPercent, &t.costs.fixed,
                          &t.costs.perShare, &t.costs.taxRate})
        *text = s.text(column++);
    t.costs.taxApplied = s.integer(column++) != 0;
    t.transactionTax = s.text(column);
    return t;
}

// Numbers order by value (a double serves as a sort key only); open trades' blanks come first.
namespace {

QByteArray sortKey(JournalView::Column column) {
    switch (column) {
    case JournalView::Date:
        return "saved_at";
    case JournalView::Quantity:
        return "CAST(quantity AS REAL)";
    case JournalView::PurchasePrice:
        return "CAST(purchase_price AS REAL)";
    case JournalView::SalePrice:
        return "CAST(NULLIF(sale_price, '') AS REAL)";
    case JournalView::PurchaseAmount:
        return "CAST(purchase_amount AS REAL)";
    case JournalView::SaleAmount:
        return "CAST(NULLIF(sale_amount, '') AS REAL)";
    case JournalView::Commissions:
        return "CAST(NULLIF(commissions, '') AS REAL)";
    case JournalView::Tax:
        return "CAST(transaction_tax AS REAL)";
    case JournalView::Gain:
        return "gain_cents";
    case JournalView::GainAfterTax:
        return "after_tax_cents";
    default:
        return "note COLLATE NOCASE";
    }
}

} // namespace

QByteArray selectSql(const QByteArray &columns, const JournalView &view) {
    const QByteArray direction = view.descending ? " DESC" : " ASC";
    return "SELECT " + columns + " FROM Operazioni" + (view.year ? " WHERE year = ?1" : "") +
           " ORDER BY " + sortKey(view.sortColumn) + direction + ", id" + direction;
}

QByteArray insertSql() {
    QByteArray values;
    for (int i = 1; i <= schema::ColumnCount; ++i)
        values += (i > 1 ? ", ?" : "?") + QByteArray::number(i);
    return "INSERT INTO Operazioni (" + QByteArray(schema::Columns) + ") VALUES (" + values + ")";
}

} // namespace margino
