// SPDX-License-Identifier: GPL-3.0-or-later
#include "tradecalculator.h"

#include "calc/figures.h"
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
    void blankPurchase() { blank(TradeSide::Purchase); }
    void blankSale() {
        blank(TradeSide::Sale);
        t_.afterTax.clear();
    }
    void blank(TradeSide side) {
        for (const FigureRow &row : FigureRows)
            if (row.side == side)
                figureSlot(t_, row.figure).clear();
    }
    const std::optional<RuntimeError> &failure() const { return failure_; }

    // Settings an earlier run read from the same contents of the file.
    void reuse(const SystemValues &system, const SettaggiValues &settaggi,
               const TariffValues &tariff) {
        useSystem(system);
        useSettaggi(settaggi);
        useTariff(tariff);
    }
    bool readAll() const { return system_ && settaggi_ && tariff_; }
    const SystemValues &system() const { return *system_; }
    const SettaggiValues &settaggi() const { return *settaggi_; }
    const TariffValues &tariff() const { return *tariff_; }

private:
    void purchaseSteps() {
        const Costs costs = readCosts();
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

        // The price at which the gain, every cost paid, is zero; shown rounded up, so that
        // selling at the price on the panel never shows a loss.
        const double breakEven =
            saleAmountForGain(costs, number(quantity), amount, 0, false) / number(quantity);
        if (!std::isfinite(breakEven))
            raiseOverflow();
        t_.captions[TradeTexts::PdP] = priceRoundedUp(breakEven, PanelCells, locale_);
    }

    void saleSteps() {
        const Costs costs = readCosts();
        const QString &quantity = t_.quantity, &sale = t_.sale, &purchase = t_.purchaseAmount;
        if (quantity.isEmpty() || quantity == Zero || sale.isEmpty() || sale == Zero ||
            purchase.isEmpty() || purchase == Zero || !isNumeric(sale, locale_) ||
            !isNonZeroNumber(quantity) || !isNonZeroNumber(purchase))
            return blankSale();

        t_.saleAmount = text(number(sale) * number(quantity));
        const double shares = number(quantity), bought = number(t_.purchaseAmount),
                     sold = number(t_.saleAmount);
        // The panel shows the two commissions; the transaction tax is a tax, not one of them.
        t_.captions[TradeTexts::Commissioni] = text(orderCommission(costs.tariff, bought, shares) +
                                                    orderCommission(costs.tariff, sold, shares));

        const double gain = roundTo(netGainOfAmounts(costs, shares, bought, sold), 2);
        t_.captions[TradeTexts::GP] = text(gain);
        const double percent = gain * 100 / bought;
        t_.figures.percent = percent;
        t_.captions[TradeTexts::PercentualeGP] = text(std::floor(percent));
        t_.afterTax = text(gainAfterTaxOfAmounts(costs, shares, bought, sold));
    }

    // The trade's costs from the three tables, each read once a run.
    Costs readCosts() {
        const SystemValues system = readSystemValues();
        const TariffValues tariff = readTariffValues();
        // The capital-gain rate serves only the gain after tax, which no panel shows.
        const SettaggiValues settaggi = readSettaggiValues();
        return costsFrom(system, tariff, settaggi.capitalGain, t_.transactionTax);
    }

    // After a failed read the run reads nothing more: a locked file costs one busy wait.
    template <typename Read> auto once(Read read) {
        if (readFailure_)
            throw *readFailure_;
        try {
            return read();
        } catch (const RuntimeError &error) {
            readFailure_ = error;
            throw;
        }
    }

    // The settings the texts were computed from, kept for explaining them. One run reads each
    // table once: inside its read transaction a second query would see the same values.
    SystemValues readSystemValues() {
        if (!system_) {
            forget({Setting::Commissioni, Setting::CommissioniMin});
            useSystem(once([this] { return readSystem(db_, statements::SelectSystemForCalc); }));
        }
        return *system_;
    }
    SettaggiValues readSettaggiValues() {
        if (!settaggi_) {
            forget({Setting::CapitalGain, Setting::SLP, Setting::SLMM});
            useSettaggi(once([this] { return readSettaggi(db_); }));
        }
        return *settaggi_;
    }
    TariffValues readTariffValues() {
        if (!tariff_) {
            forget({Setting::Maximum, Setting::MaximumPercent, Setting::Fixed, Setting::PerShare,
                    Setting::TransactionTax});
            useTariff(once([this] { return readTariff(db_); }));
        }
        return *tariff_;
    }
    void useSystem(const SystemValues &values) {
        system_ = values;
        keep(Setting::Commissioni, values.commissioni);
        keep(Setting::CommissioniMin, values.commissioniMin);
    }
    void useSettaggi(const SettaggiValues &values) {
        settaggi_ = values;
        keep(Setting::CapitalGain, values.capitalGain);
        keep(Setting::SLP, values.slp);
        keep(Setting::SLMM, values.slmm);
    }
    void useTariff(const TariffValues &values) {
        tariff_ = values;
        keep(Setting::Maximum, values.maximum);
        keep(Setting::MaximumPercent, values.maximumPercent);
        keep(Setting::Fixed, values.fixed);
        keep(Setting::PerShare, values.perShare);
        keep(Setting::TransactionTax, values.transactionTax);
    }
    void forget(std::initializer_list<Setting> settings) {
        for (const Setting setting : settings)
            t_.figures.settings[setting].reset();
    }
    void keep(Setting setting, double value) { t_.figures.settings[setting] = value; }

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
    std::optional<TariffValues> tariff_;
    std::optional<RuntimeError> readFailure_;
};

void TradeCalculator::runWithSettings(Run &run, const std::function<void()> &sides) {
    const ReadTransaction read(db_);
    const std::optional<quint64> version = db_.contentVersion();
    if (version && lastRead_ && lastRead_->version == *version)
        run.reuse(lastRead_->system, lastRead_->settaggi, lastRead_->tariff);
    lastRead_.reset();
    sides();
    if (version && run.readAll())
        lastRead_ = Read{*version, run.system(), run.settaggi(), run.tariff()};
}

std::optional<RuntimeError> TradeCalculator::purchaseSide(TradeTexts &texts,
                                                          const QLocale &locale) {
    Run run(db_, texts, locale);
    try {
        runWithSettings(run, [&] {
            run.purchase();
            if (!texts.sale.isEmpty())
                run.sale();
        });
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
        runWithSettings(run, [&] { run.sale(); });
    } catch (const RuntimeError &error) {
        texts.saleProblem = run.fail(error);
        run.blankSale();
    }
    return run.failure();
}

Costs costsFrom(const SystemValues &system, const TariffValues &tariff, double capitalGainPercent,
                bool taxApplies) {
    return {{system.commissioni, system.commissioniMin, tariff.maximum, tariff.maximumPercent,
             tariff.fixed, tariff.perShare},
            {tariff.transactionTax, taxApplies},
            capitalGainPercent};
}

Costs tradeCosts(const TradeTexts &texts) {
    const auto value = [&texts](Setting s) { return texts.figures.settings[s].value_or(0); };
    return {{value(Setting::Commissioni), value(Setting::CommissioniMin), value(Setting::Maximum),
             value(Setting::MaximumPercent), value(Setting::Fixed), value(Setting::PerShare)},
            {value(Setting::TransactionTax), texts.transactionTax},
            value(Setting::CapitalGain)};
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
