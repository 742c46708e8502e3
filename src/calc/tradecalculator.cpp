// SPDX-License-Identifier: GPL-3.0-or-later
#include "tradecalculator.h"

#include "calc/positionsize.h"
#include "core/numbertext.h"
#include "store/database.h"
#include "store/parameters.h"
#include "store/statements.h"

#include <cmath>

namespace margino {

namespace {

const QString Zero = QStringLiteral("0");

} // namespace

// One run over the texts: each output is written as soon as it is computed, so a failure
// part-way leaves what came before; the failing side is then blanked.
class TradeCalculator::Run {
public:
    Run(Database &db, TradeTexts &texts, const QLocale &locale)
        : db_(db), t_(texts), locale_(locale) {}

    void purchase() {
        t_.purchaseProblem.clear();
        try {
            purchaseSteps();
        } catch (const RuntimeError &error) {
            t_.purchaseProblem = fail(error);
            blankPurchase();
        }
    }
    void sale() {
        t_.saleProblem.clear();
        try {
            saleSteps();
        } catch (const RuntimeError &error) {
            t_.saleProblem = fail(error);
            blankSale();
        }
    }
    // Keeps the run's first failure and says what went wrong, for the blanked results.
    QString fail(const RuntimeError &error) {
        if (!failure_)
            failure_ = error;
        return QStringLiteral("Nessun risultato: %1 (errore %2)")
            .arg(error.summary().isEmpty() ? error.description() : error.summary())
            .arg(error.number());
    }
    void blankPurchase() {
        t_.purchaseAmount.clear();
        for (const auto caption : {TradeTexts::SLP, TradeTexts::SLMM, TradeTexts::PdP})
            t_.captions[caption].clear();
    }
    void blankSale() {
        t_.saleAmount.clear();
        t_.afterTax.clear();
        for (const auto caption :
             {TradeTexts::Commissioni, TradeTexts::GP, TradeTexts::PercentualeGP})
            t_.captions[caption].clear();
    }
    const std::optional<RuntimeError> &failure() const { return failure_; }

private:
    void purchaseSteps() {
        const SystemValues system = readSystemValues();
        const SettaggiValues settaggi = readSettaggiValues();
        const QString &quantity = t_.quantity, &price = t_.price;
        if (quantity.isEmpty() || quantity == Zero || price.isEmpty() || price == Zero ||
            !isNumeric(price, locale_) || !isNonZeroNumber(quantity))
            return blankPurchase();

        t_.purchaseAmount = text(number(price) * number(quantity));
        t_.captions[TradeTexts::SLP] = text(percentStopPrice(number(price), settaggi.slp));

        // An amount within the budget can be lost whole: the stop is at zero, never above.
        const double amount = number(t_.purchaseAmount);
        const double budgetStop =
            amount <= settaggi.slmm ? 0 : std::abs((amount - settaggi.slmm) / number(quantity));
        t_.captions[TradeTexts::SLMM] = text(roundTo(budgetStop, 4));

        // Each of the two orders pays at least the minimum, as the sale side charges it.
        double commission = number(t_.purchaseAmount) * system.commissioni / 1000;
        t_.figures.buying = commission;
        if (commission < system.commissioniMin)
            commission = system.commissioniMin;
        const double perUnit = commission * 2 / number(quantity);
        t_.captions[TradeTexts::PdP] = text(number(price) + perUnit);
    }

    void saleSteps() {
        const SystemValues system = readSystemValues();
        // Only for the gain after tax, which no panel shows.
        const double capitalGain = readSettaggiValues().capitalGain;
        const QString &quantity = t_.quantity, &sale = t_.sale, &purchase = t_.purchaseAmount;
        if (quantity.isEmpty() || quantity == Zero || sale.isEmpty() || sale == Zero ||
            purchase.isEmpty() || purchase == Zero || !isNumeric(sale, locale_) ||
            !isNonZeroNumber(quantity) || !isNonZeroNumber(purchase))
            return blankSale();

        t_.saleAmount = text(number(sale) * number(quantity));
        double buying = number(t_.purchaseAmount) * system.commissioni / 1000;
        t_.figures.buying = buying;
        if (buying < system.commissioniMin)
            buying = system.commissioniMin;
        double selling = number(t_.saleAmount) * system.commissioni / 1000;
        t_.figures.selling = selling;
        if (selling < system.commissioniMin)
            selling = system.commissioniMin;
        const double commissions = buying + selling;
        t_.captions[TradeTexts::Commissioni] = text(commissions);

        const double difference = number(t_.saleAmount) - number(t_.purchaseAmount);
        const double gain = roundTo(difference - commissions, 2);
        t_.captions[TradeTexts::GP] = text(gain);
        const double percent = gain * 100 / number(t_.purchaseAmount);
        t_.figures.percent = percent;
        t_.captions[TradeTexts::PercentualeGP] = text(std::floor(percent));
        // A loss or no gain pays no tax: the figure is the gain itself.
        t_.afterTax = text(gain > 0 ? roundTo(gain * (1 - capitalGain / 100), 2) : gain);
    }

    // The settings the texts were computed from, kept for explaining them. One run reads each
    // table once: inside its read transaction a second query would see the same values.
    SystemValues readSystemValues() {
        if (system_)
            return *system_;
        t_.figures.commissioni = t_.figures.commissioniMin = std::nullopt;
        const SystemValues values = readSystem(db_, statements::SelectSystemForCalc);
        system_ = values;
        t_.figures.commissioni = values.commissioni;
        t_.figures.commissioniMin = values.commissioniMin;
        return values;
    }
    SettaggiValues readSettaggiValues() {
        if (settaggi_)
            return *settaggi_;
        t_.figures.capitalGain = t_.figures.slp = t_.figures.slmm = std::nullopt;
        const SettaggiValues values = readSettaggi(db_);
        settaggi_ = values;
        t_.figures.capitalGain = values.capitalGain;
        t_.figures.slp = values.slp;
        t_.figures.slmm = values.slmm;
        return values;
    }

    // A text a division may use: numeric and not of value zero ("00" included).
    bool isNonZeroNumber(const QString &text) const {
        const std::optional<double> value = textToNumber(text, locale_);
        return value && *value != 0;
    }
    double number(const QString &text) const {
        if (const std::optional<double> value = textToNumber(text, locale_))
            return *value;
        raiseTypeMismatch();
    }
    // A result the double cannot hold is an overflow, never a text such as "INF".
    QString text(double value) const {
        if (!std::isfinite(value))
            raiseOverflow();
        return numberToText(value, locale_);
    }

    Database &db_;
    TradeTexts &t_;
    const QLocale &locale_;
    std::optional<RuntimeError> failure_;
    std::optional<SystemValues> system_;
    std::optional<SettaggiValues> settaggi_;
};

std::optional<RuntimeError> TradeCalculator::purchaseSide(TradeTexts &texts,
                                                          const QLocale &locale) {
    Run run(db_, texts, locale);
    try {
        const ReadTransaction read(db_);
        run.purchase();
        if (!texts.sale.isEmpty())
            run.sale();
    } catch (const RuntimeError &error) { // the read could not even start
        texts.purchaseProblem = texts.saleProblem = run.fail(error);
        run.blankPurchase();
        run.blankSale();
    }
    return run.failure();
}

std::optional<RuntimeError> TradeCalculator::saleSide(TradeTexts &texts, const QLocale &locale) {
    Run run(db_, texts, locale);
    try {
        const ReadTransaction read(db_);
        run.sale();
    } catch (const RuntimeError &error) {
        texts.saleProblem = run.fail(error);
        run.blankSale();
    }
    return run.failure();
}

std::optional<RuntimeError> FailureLatch::admit(const std::optional<RuntimeError> &outcome) {
    if (!outcome) {
        last_.reset();
        return std::nullopt;
    }
    if (last_ == outcome->number())
        return std::nullopt;
    last_ = outcome->number();
    return outcome;
}

} // namespace margino
