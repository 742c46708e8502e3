// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers as text in an Italian and an English locale: what is a number, how results read.
#include "core/numbertext.h"

#include <QTest>
#include <cmath>

using namespace margino;

namespace {

const QLocale Italian(QLocale::Italian, QLocale::Italy);
const QLocale English(QLocale::English, QLocale::UnitedStates);
const double Refused = std::nan("");

} // namespace

class TstNumberText : public QObject {
    Q_OBJECT

private slots:
    void textToNumber_acceptsOnlyTheLocaleForm_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("it comma decimal") << Italian << "12,5" << 12.5;
        QTest::newRow("it typing passes through 12,") << Italian << "12," << 12.0;
        QTest::newRow("it leading separator") << Italian << ",5" << 0.5;
        QTest::newRow("it 0,0 and blank 0 are numbers") << Italian << " 0,0\t" << 0.0;
        QTest::newRow("it sign and exponent") << Italian << "-1,5E-05" << -1.5e-5;
        QTest::newRow("en point decimal") << English << "+9.95" << 9.95;
        QTest::newRow("it point refused, never 15") << Italian << "1.5" << Refused;
        QTest::newRow("it grouping refused") << Italian << "1.234,5" << Refused;
        QTest::newRow("en comma refused") << English << "1,5" << Refused;
        QTest::newRow("en grouping refused") << English << "1,234.5" << Refused;
        QTest::newRow("empty") << Italian << "" << Refused;
        QTest::newRow("separator alone") << Italian << "," << Refused;
        QTest::newRow("two separators") << Italian << "1,2,3" << Refused;
        QTest::newRow("sign alone") << Italian << "-" << Refused;
        QTest::newRow("exponent without digits") << English << "1E" << Refused;
        QTest::newRow("blank inside") << Italian << "1 000" << Refused;
        QTest::newRow("words") << English << "inf" << Refused;
        QTest::newRow("beyond the double range") << English << "1E400" << Refused;
    }
    void textToNumber_acceptsOnlyTheLocaleForm() {
        QFETCH(QLocale, locale);
        QFETCH(QString, text);
        QFETCH(double, value);
        const auto number = textToNumber(text, locale);
        QCOMPARE(number.has_value(), !std::isnan(value));
        QCOMPARE(isNumeric(text, locale), number.has_value());
        if (number)
            QCOMPARE(*number, value);
    }

    void numberToText_showsFifteenSignificantDigits_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("italian");
        QTest::addColumn<QString>("english");
        for (const auto &[row, value, italian, english] :
             {std::tuple{"product just below 995", 9.95 * 100, "995", "995"},
              {"binary noise dropped", 0.1 + 0.2, "0,3", "0.3"},
              {"no grouping", -1234567.5, "-1234567,5", "-1234567.5"},
              {"negative zero", -0.0, "0", "0"},
              {"15 integer digits", 999999999999999.0, "999999999999999", "999999999999999"},
              {"16 integer digits", 1e15, "1E+15", "1E+15"},
              {"rounded to 15", 123456789012345678.0, "1,23456789012346E+17",
               "1.23456789012346E+17"},
              {"small needs exponent", 1.5e-5, "1,5E-05", "1.5E-05"},
              {"small without exponent", 0.0001, "0,0001", "0.0001"}})
            QTest::newRow(row) << value << QString(italian) << QString(english);
    }
    void numberToText_showsFifteenSignificantDigits() {
        QFETCH(double, value);
        QFETCH(QString, italian);
        QFETCH(QString, english);
        QCOMPARE(numberToText(value, Italian), italian);
        QCOMPARE(numberToText(value, English), english);
    }

    void numberToText_readsBackAsTheSameValue() {
        // A stored setting shown in a field and saved again must not drift.
        for (double value : {1.9, 2.95, 0.19, 1234.5678, 1.0 / 3})
            for (const QLocale &locale : {Italian, English})
                QCOMPARE(textToNumber(numberToText(value, locale), locale).value(), value);
    }
};

QTEST_APPLESS_MAIN(TstNumberText)
#include "tst_numbertext.moc"
