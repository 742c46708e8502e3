// SPDX-License-Identifier: GPL-3.0-or-later
// The numeric field under real key presses, pastes and drops: what it takes, what it refuses
// and the hint that says why.
#include "ui/inputnumerico.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>

using namespace margino;

// The application delivers no drop without a drag under way: the test hands it over itself.
struct Field : InputNumerico {
    using InputNumerico::dropEvent;
};

class TstInputNumerico : public QObject {
    Q_OBJECT

    std::unique_ptr<Field> field;

    void open(const QString &locale, int intDigits, int decDigits) {
        QLocale::setDefault(QLocale(locale));
        QToolTip::hideText();
        field = std::make_unique<Field>();
        field->setNumerointeri(intDigits);
        field->setNumerodecimali(decDigits);
        field->show();
        field->setFocus();
    }
    // One user action, written as in the rows: "type:KEYS", "paste:TEXT", "drop:TEXT",
    // "backspace", "select all", "undo", or "limit:N", the code narrowing the integer digits.
    void act(const QString &step) {
        const QString arg = step.section(u':', 1);
        if (step.startsWith("type:")) {
            QTest::keyClicks(field.get(), arg);
        } else if (step.startsWith("paste:")) {
            QApplication::clipboard()->setText(arg);
            QTest::keyClick(field.get(), Qt::Key_V, Qt::ControlModifier);
        } else if (step.startsWith("drop:")) {
            QMimeData data;
            data.setText(arg);
            QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &data, Qt::LeftButton, {});
            field->dropEvent(&drop);
        } else if (step.startsWith("limit:")) {
            field->setNumerointeri(arg.toInt());
        } else {
            const auto [key, modifiers] = step == "backspace"    ? std::pair{Qt::Key_Backspace, 0}
                                          : step == "undo"       ? std::pair{Qt::Key_Z, 1}
                                          : step == "select all" ? std::pair{Qt::Key_A, 1}
                                                                 : std::pair{Qt::Key_unknown, 0};
            QVERIFY2(key != Qt::Key_unknown, qPrintable(step));
            QTest::keyClick(field.get(), key, modifiers ? Qt::ControlModifier : Qt::NoModifier);
        }
    }
    QString hint() const { return QToolTip::isVisible() ? QToolTip::text() : QString(); }

private slots:
    void typing_isReadAsPeopleMeanItWithinTheLimitsAndSaysWhy_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("decDigits"); // 0: the quantity field, 9 integer digits
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("hint"); // the last one shown; empty: none
        const QString itAgain = "Il numero ha già la virgola";
        const QString noDecimals = "Questo campo non ha decimali";
        const struct {
            const char *name, *locale;
            int decDigits;
            const char *keys, *shown;
            QString hint;
        } rows[] = {
            {"it 10.5 is ten and a half", "it_IT", 4, "10.5", "10,5", ""},
            {"it 1.234,5 grouped by the later comma", "it_IT", 4, "1.234,5", "1234,5",
             "Il punto separava le migliaia"},
            {"it 1.234.5 grouped by a second point", "it_IT", 4, "1.234.5", "12345",
             "Il punto separava le migliaia"},
            {"it point after the separator", "it_IT", 4, "1,2.3", "1,23", itAgain},
            {"it 1.23,4 two digits do not group", "it_IT", 4, "1.23,4", "1,234", itAgain},
            {"it 1.2345, four digits do not group", "it_IT", 4, "1.2345,", "1,2345", itAgain},
            {"it 0.250, a leading zero does not group", "it_IT", 4, "0.250,", "0,250", itAgain},
            {"it 1234.567, four digits before do not group", "it_IT", 4, "1234.567,", "1234,567",
             itAgain},
            {"it 10.5 with no later comma stays", "it_IT", 4, "10.500", "10,500", ""},
            {"separator first", "it_IT", 4, ",5", ",5", ""},
            {"letters signs blanks refused", "it_IT", 4, "a-1b+2 e", "12",
             "Si scrivono solo cifre e la virgola"},
            {"integer digits capped", "it_IT", 4, "1234567", "12345",
             "Al massimo 5 cifre prima della virgola"},
            {"decimal digits capped", "en_US", 4, "1.23456", "1.2345", "Al massimo 4 decimali"},
            {"it quantity 1.000 groups", "it_IT", 0, "1.000", "1000",
             "Il punto separa le migliaia; questo campo non ha decimali"},
            {"it quantity 1.234.567", "it_IT", 0, "1.234.567", "1234567",
             "Il punto separa le migliaia; questo campo non ha decimali"},
            {"it quantity comma refused", "it_IT", 0, "12,5", "125", noDecimals},
            {"en 10,5 is ten and a half", "en_US", 4, "10,5", "10.5", ""},
            {"en 1,234.5 grouped by the later point", "en_US", 4, "1,234.5", "1234.5",
             "La virgola separava le migliaia"},
            {"en 1,23.4 two digits do not group", "en_US", 4, "1,23.4", "1.234",
             "Il numero ha già il punto"},
            {"en 10.5 point is the separator", "en_US", 4, "10.5", "10.5", ""},
            {"en quantity 1,000 groups", "en_US", 0, "1,000", "1000",
             "La virgola separa le migliaia; questo campo non ha decimali"},
            {"en quantity point refused", "en_US", 0, "1.5", "15", noDecimals},
            {"fa point and comma type the separator", "fa_IR", 4, "1.2,3", "1٫23",
             "Il numero ha già il segno «٫»"},
            {"fa Persian digits", "fa_IR", 4, "۱۲.۵", "12٫5", ""},
            {"ar Arabic-Indic digits", "ar_EG", 4, "١٢٣,٤", "123٫4", ""},
            {"it Persian digits too", "it_IT", 4, "۱.۵", "1,5", ""},
        };
        for (const auto &r : rows)
            QTest::newRow(r.name) << QString(r.locale) << r.decDigits << QString::fromUtf8(r.keys)
                                  << QString::fromUtf8(r.shown) << r.hint;
    }
    void typing_isReadAsPeopleMeanItWithinTheLimitsAndSaysWhy() {
        QFETCH(QString, locale);
        QFETCH(int, decDigits);
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        QFETCH(QString, hint);
        // State: an empty price field (5 integer digits) or quantity field (9, no decimals).
        // Action: type the keys, each with its own text as a keyboard sends it. Expected: the
        // number the keys mean, and the last hint shown.
        open(locale, decDigits ? 5 : 9, decDigits);
        for (const QChar c : keys)
            QTest::sendKeyEvent(QTest::Click, field.get(), Qt::Key_unknown, QString(c),
                                Qt::NoModifier);
        QCOMPARE(field->Valore(), shown);
        QCOMPARE(this->hint(), hint);
    }

    void keypadDecimalKey_typesTheLocaleSeparator() {
        for (const char *locale : {"it_IT", "en_US"}) {
            open(QString::fromLatin1(locale), 5, 4);
            QTest::keyClick(field.get(), Qt::Key_7);
            QTest::keyClick(field.get(), Qt::Key_Period, Qt::KeypadModifier);
            QCOMPARE(field->Valore(), u'7' + QLocale().decimalPoint());
        }
    }

    void paste_isReadAsANumberOrRefusedWholeWithAHint_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("step");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("hint");
        const struct {
            const char *name, *locale, *step, *shown, *hint;
        } rows[] = {
            {"it grouped", "it_IT", "paste:1.234,50", "1234,50", ""},
            {"it euro sign", "it_IT", "paste:€ 10,50", "10,50", ""},
            {"it blanks", "it_IT", "paste: 10,5  ", "10,5", ""},
            {"it EUR after, dropped", "it_IT", "drop:1 234 EUR", "1234", ""},
            {"it point not grouping three digits", "it_IT", "paste:12.5", "",
             "«12.5» non è un numero: il punto separa le migliaia, la virgola i decimali"},
            {"en grouped", "en_US", "paste:$1,234.50", "1234.50", ""},
            {"too many digits, not cut", "it_IT", "paste:1.234.567", "",
             "Al massimo 5 cifre prima della virgola"},
            {"fr dropped point before three reads two ways", "fr_FR", "drop:1.234", "",
             "«1.234» si legge in due modi: scrivi 1234 o 1,234"},
        };
        for (const auto &r : rows)
            QTest::newRow(r.name) << QString(r.locale) << QString::fromUtf8(r.step)
                                  << QString(r.shown) << QString::fromUtf8(r.hint);
    }
    void paste_isReadAsANumberOrRefusedWholeWithAHint() {
        QFETCH(QString, locale);
        QFETCH(QString, step);
        QFETCH(QString, shown);
        QFETCH(QString, hint);
        // State: an empty field, 5 integer digits. Action: paste or drop. Expected: the number
        // as the field writes it, or nothing and the hint.
        open(locale, 5, 4);
        act(step);
        QCOMPARE(field->Valore(), shown);
        QCOMPARE(this->hint(), hint);
    }

    void valueBeyondTheLimits_isShownButNoEditAddsWhatTheyRefuse_data() {
        QTest::addColumn<QString>("value"); // set from code
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("shown");
        QTest::newRow("typing") << "1234567" << QStringList{"type:ab9"} << "1234567";
        QTest::newRow("pasting") << "1234567" << QStringList{"paste:9"} << "1234567";
        QTest::newRow("deleting, then typing")
            << "1234567" << QStringList{"backspace", "type:9"} << "123456";
        QTest::newRow("typing after an undo back to it")
            << "1234567" << QStringList{"select all", "type:3", "undo", "type:q"} << "1234567";
        QTest::newRow("limits narrowed, deleting, then typing")
            << "12345" << QStringList{"limit:2", "backspace", "type:9"} << "1234";
    }
    void valueBeyondTheLimits_isShownButNoEditAddsWhatTheyRefuse() {
        QFETCH(QString, value);
        QFETCH(QStringList, steps);
        QFETCH(QString, shown);
        // State: 5 integer digits, the value set from code. Action: the steps. Expected: the
        // value shown whole, what is deleted gone, nothing added beyond the limits.
        open("it_IT", 5, 4);
        field->setValore(value);
        QCOMPARE(field->Valore(), value);
        for (const QString &step : steps)
            act(step);
        QCOMPARE(field->Valore(), shown);
    }

    void change_isRaisedAtEveryChangeOfTheContent() {
        open("it_IT", 5, 4);
        QSignalSpy changes(field.get(), &InputNumerico::Change);
        QTest::keyClicks(field.get(), "1x2"); // the x changes nothing
        QTest::keyClick(field.get(), Qt::Key_Backspace);
        QCOMPARE(changes.count(), 3);
        field->setValore("3,5"); // from code too, once per new text
        field->setValore("3,5");
        QCOMPARE(changes.count(), 4);
    }
};

QTEST_MAIN(TstInputNumerico)
#include "tst_inputnumerico.moc"
