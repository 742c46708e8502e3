// SPDX-License-Identifier: GPL-3.0-or-later
#include "positionsizewindow.h"

#include "calc/tradecalculator.h"
#include "core/numbertext.h"
#include "store/database.h"
#include "store/parameters.h"
#include "store/statements.h"
#include "ui/inputnumerico.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>

namespace margino {

namespace {

// A text for a field: the figure when it is a positive number, else nothing.
QString positive(const QString &text, const QLocale &locale) {
    return textToNumber(text, locale).value_or(0) > 0 ? text : QString();
}

} // namespace

PositionSizeWindow::PositionSizeWindow(Database &db, const TradeTexts &trade, QWidget *parent)
    : QDialog(parent), db_(db), taxApplies_(trade.transactionTax) {
    setObjectName(QStringLiteral("PositionSizeWindow"));
    setWindowTitle(QStringLiteral("Dimensiona posizione"));
    auto *form = new QFormLayout(this);
    QString budget;
    try {
        const ReadTransaction read(db_);
        budget = numberToText(readSettaggi(db_).slmm, locale());
    } catch (const RuntimeError &) {
        // Left empty: the user types a budget, and the commissions' read will say what is wrong.
    }
    price_ = addField(QStringLiteral("&Prezzo di acquisto"), "price", 5, 4,
                      positive(trade.price, locale()));
    stop_ = addField(QStringLiteral("Prezzo di &stop"), "stop", 5, 4,
                     positive(trade.captions[TradeTexts::SLP], locale()));
    budget_ = addField(QStringLiteral("&Budget di perdita (€)"), "budget", 5, 2, budget);
    capital_ = addField(QStringLiteral("&Capitale disponibile (€, facoltativo)"), "capital", 9, 2,
                        QString());

    answer_ = new QLabel(this);
    answer_->setObjectName(QStringLiteral("answer"));
    answer_->setWordWrap(true);
    answer_->setMinimumWidth(300);
    answer_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    form->addRow(answer_);

    auto *buttons = new QDialogButtonBox(this);
    use_ = buttons->addButton(QStringLiteral("&Usa questa quantità"), QDialogButtonBox::AcceptRole);
    use_->setObjectName(QStringLiteral("use"));
    buttons->addButton(QStringLiteral("Chiudi"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);

    for (InputNumerico *field : {price_, stop_, budget_, capital_})
        connect(field, &InputNumerico::Change, this, &PositionSizeWindow::recompute);
    recompute();
    price_->setFocus();
}

InputNumerico *PositionSizeWindow::addField(const QString &label, const char *name, int intDigits,
                                            int decDigits, const QString &value) {
    auto *field = new InputNumerico(this);
    field->setObjectName(QString::fromLatin1(name));
    field->setNumerointeri(intDigits);
    field->setNumerodecimali(decDigits);
    field->setValore(value);
    auto *title = new QLabel(label, this);
    title->setBuddy(field);
    field->setAccessibleName(QString(label).remove(u'&'));
    static_cast<QFormLayout *>(layout())->addRow(title, field);
    return field;
}

// The tariff is read afresh each time, as the main window reads it; the transaction tax is
// counted as the main window's switch says.
void PositionSizeWindow::recompute() {
    const QLocale l = locale();
    const auto value = [&l](InputNumerico *field) {
        return textToNumber(field->Valore(), l).value_or(0);
    };
    PositionRequest request{value(price_), value(stop_), value(budget_), {}, std::nullopt};
    if (isNumeric(capital_->Valore(), l))
        request.capital = value(capital_);
    try {
        const ReadTransaction read(db_);
        const SystemValues system = readSystem(db_, statements::SelectSystemForCalc);
        request.costs = costsFrom(system, readTariff(db_), 0, taxApplies_);
        size_ = sizePosition(request, l);
    } catch (const RuntimeError &error) {
        size_ = {};
        size_.refusal = QStringLiteral("Le commissioni non si possono leggere: %1 (errore %2)")
                            .arg(error.summary().isEmpty() ? error.description() : error.summary())
                            .arg(error.number());
    }
    const auto money = [&l](double v) { return numberToText(roundTo(v, 2), l); };
    answer_->setText(
        size_.refusal.isEmpty()
            ? QStringLiteral("Quantità: %1\nImporto: %2 €\nPerdita allo stop: %3 € "
                             "(costi compresi)\nCommissioni: %4 €")
                      .arg(size_.quantity)
                      .arg(money(size_.amount), money(size_.lossAtStop), money(size_.commissions)) +
                  (size_.tax > 0
                       ? QStringLiteral("\nImposta sulle transazioni: %1 €").arg(money(size_.tax))
                       : QString())
            : size_.refusal);
    use_->setEnabled(size_.quantity > 0);
}

} // namespace margino
