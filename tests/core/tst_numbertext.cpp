// Numbers as text in an Italian and an English locale: what is a number, how results read.
#include "core/numbertext.h"

#include <QTest>
#include <cmath>

using namespace margino;

class TstNumberText : public QObject {
    Q_OBJECT

    const QLocale italian{QLocale::Italian, QLocale::Italy};
    const QLocale english{QLocale::English, QLocale::UnitedStates};

    QLocale localeNamed(const QString &name) const { return name == u"it" ? italian : english; }

private slots:
    void textToNumber_readsTheLocaleForm_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("it integer") << "it"
                                    << "150" << 150.0;
        QTest::newRow("it comma decimal") << "it"
                                          << "12,5" << 12.5;
        QTest::newRow("it trailing separator while typing") << "it"
                                                            << "12," << 12.0;
        QTest::newRow("it leading separator") << "it"
                                              << ",5" << 0.5;
        QTest::newRow("it zero with decimals") << "it"
                                               << "0,0" << 0.0;
        QTest::newRow("it blank before zero") << "it"
                                              << " 0" << 0.0;
        QTest::newRow("it blanks around") << "it"
                                          << "  3,5\t" << 3.5;
        QTest::newRow("it leading zeros") << "it"
                                          << "00" << 0.0;
        QTest::newRow("it sign") << "it"
                                 << "-2,5" << -2.5;
        QTest::newRow("it plus sign") << "it"
                                      << "+7" << 7.0;
        QTest::newRow("it exponent") << "it"
                                     << "1,5E-05" << 1.5e-5;
        QTest::newRow("it lower-case exponent") << "it"
                                                << "2e3" << 2000.0;
        QTest::newRow("en point decimal") << "en"
                                          << "9.95" << 9.95;
        QTest::newRow("en exponent with sign") << "en"
                                               << "1E+15" << 1e15;
    }
    void textToNumber_readsTheLocaleForm() {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(double, value);
        const auto number = textToNumber(text, localeNamed(locale));
        QVERIFY(number.has_value());
        QCOMPARE(*number, value);
        QVERIFY(isNumeric(text, localeNamed(locale)));
    }

    void textToNumber_refusesWhatIsNotANumber_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "it"
                               << "";
        QTest::newRow("only blanks") << "it"
                                     << "   ";
        QTest::newRow("it point is not the decimal separator") << "it"
                                                               << "1.5";
        QTest::newRow("it grouping") << "it"
                                     << "1.234,5";
        QTest::newRow("en comma is not the decimal separator") << "en"
                                                               << "1,5";
        QTest::newRow("en grouping") << "en"
                                     << "1,234.5";
        QTest::newRow("separator alone") << "it"
                                         << ",";
        QTest::newRow("two separators") << "it"
                                        << "1,2,3";
        QTest::newRow("sign alone") << "it"
                                    << "-";
        QTest::newRow("exponent without digits") << "it"
                                                 << "1E";
        QTest::newRow("exponent without mantissa") << "it"
                                                   << "E5";
        QTest::newRow("blank inside") << "it"
                                      << "1 000";
        QTest::newRow("letters") << "it"
                                 << "abc";
        QTest::newRow("infinity word") << "en"
                                       << "inf";
        QTest::newRow("not a number word") << "en"
                                           << "nan";
        QTest::newRow("hexadecimal") << "en"
                                     << "0x10";
        QTest::newRow("beyond the double range") << "en"
                                                 << "1E400";
    }
    void textToNumber_refusesWhatIsNotANumber() {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QVERIFY(!textToNumber(text, localeNamed(locale)).has_value());
        QVERIFY(!isNumeric(text, localeNamed(locale)));
    }

    void numberToText_showsFifteenSignificantDigits_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("italian");
        QTest::addColumn<QString>("english");
        QTest::newRow("integer") << 1000.0 << "1000"
                                 << "1000";
        QTest::newRow("product just below 995") << 9.95 * 100 << "995"
                                                << "995";
        QTest::newRow("sum with binary noise") << 0.1 + 0.2 << "0,3"
                                               << "0.3";
        QTest::newRow("break-even") << 10.04 << "10,04"
                                    << "10.04";
        QTest::newRow("no grouping") << 1234567.5 << "1234567,5"
                                     << "1234567.5";
        QTest::newRow("negative") << -15.0 << "-15"
                                  << "-15";
        QTest::newRow("negative fraction") << -0.399 << "-0,399"
                                           << "-0.399";
        QTest::newRow("zero") << 0.0 << "0"
                              << "0";
        QTest::newRow("negative zero") << -0.0 << "0"
                                       << "0";
        QTest::newRow("fifteen integer digits") << 999999999999999.0 << "999999999999999"
                                                << "999999999999999";
        QTest::newRow("sixteen integer digits") << 1e15 << "1E+15"
                                                << "1E+15";
        QTest::newRow("large rounded to 15") << 123456789012345678.0 << "1,23456789012346E+17"
                                             << "1.23456789012346E+17";
        QTest::newRow("small needs exponent") << 1.5e-5 << "1,5E-05"
                                              << "1.5E-05";
        QTest::newRow("small without exponent") << 0.0001 << "0,0001"
                                                << "0.0001";
        QTest::newRow("one third") << 1.0 / 3 << "0,333333333333333"
                                   << "0.333333333333333";
    }
    void numberToText_showsFifteenSignificantDigits() {
        QFETCH(double, value);
        QFETCH(QString, italian);
        QFETCH(QString, english);
        QCOMPARE(numberToText(value, this->italian), italian);
        QCOMPARE(numberToText(value, this->english), english);
    }

    void numberToText_andBack_keepsTheValueShown() {
        // A stored setting shown in a field and saved again must not drift.
        for (double value : {1.9, 2.95, 0.19, 26.0, 100.0, 1234.5678}) {
            for (const QLocale &locale : {italian, english})
                QCOMPARE(textToNumber(numberToText(value, locale), locale).value(), value);
        }
    }

    void roundTo_takesExactHalvesToEven_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<double>("rounded");
        QTest::newRow("half down to even") << 2.5 << 0 << 2.0;
        QTest::newRow("half up to even") << 3.5 << 0 << 4.0;
        QTest::newRow("negative half to even") << -2.5 << 0 << -2.0;
        QTest::newRow("2nd decimal tie down") << 0.125 << 2 << 0.12;
        QTest::newRow("2nd decimal tie up") << 0.375 << 2 << 0.38;
        QTest::newRow("2nd decimal negative tie") << -1.625 << 2 << -1.62;
        QTest::newRow("4th decimal tie down") << 0.03125 << 4 << 0.0312;
        QTest::newRow("4th decimal tie up") << 9.96875 << 4 << 9.9688;
        QTest::newRow("4th decimal not a tie") << 9.50004 << 4 << 9.5;
        QTest::newRow("already round") << 9.5 << 4 << 9.5;
    }
    void roundTo_takesExactHalvesToEven() {
        QFETCH(double, value);
        QFETCH(int, decimals);
        QFETCH(double, rounded);
        QCOMPARE(roundTo(value, decimals), rounded);
    }
};

QTEST_APPLESS_MAIN(TstNumberText)
#include "tst_numbertext.moc"
