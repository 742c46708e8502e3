// SPDX-License-Identifier: GPL-3.0-or-later
// Pasted texts as numbers in six locales: the reading, or the refusal and its hint, above all
// where a "," or "." may group or separate decimals and where blanks may group.
#include "core/fieldtext.h"

#include <QTest>

using namespace margino;

namespace {

constexpr char Refused[] = "refused";
constexpr char TwoValues[] = "Tra le cifre c'è una tabulazione o un a capo: incolla un numero solo";

} // namespace

class TstFieldText : public QObject {
    Q_OBJECT

private slots:
    void pastedNumber_readsAsMeantOrIsRefusedWithAHint_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("read"); // "refused": no reading
        QTest::addColumn<QString>("hint"); // for a refusal; empty: the not-a-number hint
        const struct {
            const char *name, *locale, *pasted, *read, *hint;
        } rows[] = {
            // Italian and English group with one of "," and ".", so nothing reads two ways.
            {"it comma decimals", "it_IT", "1,234", "1,234", ""},
            {"it point groups", "it_IT", "1.234", "1234", ""},
            {"it point not grouping three", "it_IT", "12.5", Refused, ""},
            {"it space groups", "it_IT", "1 234,5", "1234,5", ""},
            {"en comma groups", "en_US", "1,234", "1234", ""},
            {"en point decimals", "en_US", "1.234", "1.234", ""},
            {"en comma not grouping three", "en_US", "1,5", Refused, ""},
            {"C comma groups", "C", "1,234.5", "1234.5", ""},
            // Swiss German: point decimals, apostrophe groups; a comma reads two ways.
            {"de_CH comma before three reads two ways", "de_CH", "1,234", Refused,
             "«1,234» si legge in due modi: scrivi 1234 o 1.234"},
            {"de_CH comma before two", "de_CH", "1,25", "1.25", ""},
            {"de_CH comma before four", "de_CH", "1,2345", "1.2345", ""},
            {"de_CH comma after four digits", "de_CH", "1234,567", "1234.567", ""},
            {"de_CH comma after a zero", "de_CH", "0,125", "0.125", ""},
            {"de_CH apostrophe groups", "de_CH", "1’234.50", "1234.50", ""},
            {"de_CH comma after apostrophe groups", "de_CH", "1’234,567", "1234.567", ""},
            // French: comma decimals, narrow no-break space groups; a point reads two ways.
            {"fr point before three reads two ways", "fr_FR", "€ 12.345", Refused,
             "«12.345» si legge in due modi: scrivi 12345 o 12,345"},
            {"fr point before one", "fr_FR", "12.5", "12,5", ""},
            {"fr narrow space groups", "fr_FR", "1\u202f234,5", "1234,5", ""},
            {"fr no-break space groups", "fr_FR", "1\u00a0234", "1234", ""},
            {"fr space groups", "fr_FR", "12 345 678", "12345678", ""},
            {"fr space not grouping three", "fr_FR", "12 34", Refused, ""},
            // Persian: "٫" decimals, "٬" groups; both "," and "." read two ways.
            {"fa comma before three reads two ways", "fa_IR", "1,234", Refused,
             "«1,234» si legge in due modi: scrivi 1234 o 1٫234"},
            {"fa point before three reads two ways", "fa_IR", "۱.۲۳۴", Refused,
             "«۱.۲۳۴» si legge in due modi: scrivi 1234 o 1٫234"},
            {"fa point before two", "fa_IR", "1.25", "1٫25", ""},
            {"fa own marks", "fa_IR", "۱٬۲۳۴٫۵", "1234٫5", ""},
            // A tab or a line break separates two values in every locale.
            {"it tab between cells", "it_IT", "12\t345", Refused, TwoValues},
            {"en line break between lines", "en_US", "12\n345", Refused, TwoValues},
            {"fr line break after a group", "fr_FR", "1 234\r\n567", Refused, TwoValues},
            {"it line break at the end dropped", "it_IT", "1.234,5\n", "1234,5", ""},
            {"en thin space does not group", "en_US", "1\u2009234", Refused, ""},
        };
        for (const auto &r : rows)
            QTest::newRow(r.name) << QString(r.locale) << QString::fromUtf8(r.pasted)
                                  << QString::fromUtf8(r.read) << QString::fromUtf8(r.hint);
    }
    void pastedNumber_readsAsMeantOrIsRefusedWithAHint() {
        QFETCH(QString, locale);
        QFETCH(QString, pasted);
        QFETCH(QString, read);
        QFETCH(QString, hint);
        // State: a locale. Action: read a pasted text. Expected: the field's text, or no
        // reading and the hint that says why.
        const QLocale where(locale);
        QString why;
        const std::optional<QString> number = cleanPastedNumber(pasted, where, &why);
        if (read == Refused) {
            QVERIFY2(!number, qPrintable(number.value_or(QString())));
            QCOMPARE(why, hint.isEmpty() ? notANumberHint(pasted, where) : hint);
        } else {
            QCOMPARE(number.value_or(Refused), read);
        }
    }
};

QTEST_GUILESS_MAIN(TstFieldText)
#include "tst_fieldtext.moc"
