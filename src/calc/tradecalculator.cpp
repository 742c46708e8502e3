#include "tradecalculator.h"

#include "core/numbertext.h"
#include "core/runtimeerror.h"
#include "store/database.h"
#include "store/statements.h"

#include <cmath>

namespace margino {

namespace st = statements;
using Panel = TradeView::Panel;

namespace {

const QString Zero = QStringLiteral("0");

// A text a division may use: present, numeric and not of value zero ("00" included).
bool isNonZeroNumber(const QString &text, const QLocale &locale) {
    const std::optional<double> value = textToNumber(text, locale);
    return value && *value != 0;
}

} // namespace

double TradeCalculator::number(const QString &text) const {
    if (const std::optional<double> value = textToNumber(text, locale))
        return *value;
    throw RuntimeError(13, QStringLiteral("Tipo non corrispondente"));
}

// A result the double cannot hold is an overflow, never a text such as "INF".
QString TradeCalculator::text(double value) const {
    if (!std::isfinite(value))
        raiseOverflow();
    return numberToText(value, locale);
}

void TradeCalculator::in_AcqPzo_Change() {
    locale = QLocale();
    const Recordset system = dbParametri.OpenRecordset(st::SelectSystemForCalc);
    const Recordset settaggi = dbParametri.OpenRecordset(st::SelectSettaggi);
    const QString quantity = view.quantityText();
    const QString price = view.priceText();

    const bool priceNumeric = isNumeric(price, locale);
    if (!quantity.isEmpty() && quantity != Zero && !price.isEmpty() && price != Zero &&
        priceNumeric && isNonZeroNumber(quantity, locale)) {
        view.setPurchaseAmount(text(number(price) * number(quantity)));

        const double slp = settaggi.number(QStringLiteral("SLP"));
        view.setPanelCaption(Panel::SLP,
                             text(roundTo(number(price) - (slp * number(price)) / 100, 4)));

        const double slmm = settaggi.number(QStringLiteral("SLMM"));
        const double stop = std::abs((number(view.purchaseAmount()) - slmm) / number(quantity));
        view.setPanelCaption(Panel::SLMM, text(roundTo(stop, 4)));

        const double rate = system.number(QStringLiteral("Commissioni"));
        const double perUnit = number(view.purchaseAmount()) * rate / 1000 * 2 / number(quantity);
        view.setPanelCaption(Panel::PdP, text(number(price) + perUnit));
    } else if (priceNumeric) {
        view.setPurchaseAmount(QString());
        view.setPanelCaption(Panel::SLP, QString());
        view.setPanelCaption(Panel::SLMM, QString());
        view.setPanelCaption(Panel::PdP, QString());
    }

    if (!view.saleText().isEmpty())
        in_VndPzo_Change();
}

void TradeCalculator::in_VndPzo_Change() {
    locale = QLocale();
    const Recordset system = dbParametri.OpenRecordset(st::SelectSystemForCalc);
    const QString purchase = view.purchaseAmount();
    const QString sale = view.saleText();
    const QString quantity = view.quantityText();

    const bool saleNumeric = isNumeric(sale, locale);
    if (!quantity.isEmpty() && quantity != Zero && !sale.isEmpty() && sale != Zero &&
        !purchase.isEmpty() && purchase != Zero && saleNumeric &&
        isNonZeroNumber(quantity, locale) && isNonZeroNumber(purchase, locale)) {
        view.setSaleAmount(text(number(sale) * number(quantity)));

        const double rate = system.number(QStringLiteral("Commissioni"));
        const double minimum = system.number(QStringLiteral("CommissioniMin"));
        double buying = number(view.purchaseAmount()) * rate / 1000;
        if (buying < minimum)
            buying = minimum;
        double selling = number(view.saleAmount()) * rate / 1000;
        if (selling < minimum)
            selling = minimum;
        const double commissions = buying + selling;
        view.setPanelCaption(Panel::Commissioni, text(commissions));

        const double difference = number(view.saleAmount()) - number(view.purchaseAmount());
        const double gain = roundTo(difference - commissions, 2);
        view.setPanelCaption(Panel::GP, text(gain));

        const double percent = gain * 100 / number(view.purchaseAmount());
        view.setPanelCaption(Panel::PercentualeGP, text(std::floor(percent)));
    } else if (saleNumeric) {
        view.setSaleAmount(QString());
        view.setPanelCaption(Panel::Commissioni, QString());
        view.setPanelCaption(Panel::GP, QString());
        view.setPanelCaption(Panel::PercentualeGP, QString());
    }
}

} // namespace margino
