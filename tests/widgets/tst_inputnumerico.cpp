// The numeric field under real key presses: what it takes, what it refuses, when it says so.
#include "widgets/inputnumerico.h"

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>

using namespace margino;

class TstInputNumerico : public QObject {
    Q_OBJECT

    std::unique_ptr<InputNumerico> field;

    void open(const QString &locale, int intDigits, int decDigits) {
        QLocale::setDefault(QLocale(locale));
        field = std::make_unique<InputNumerico>();
        field->setNumerointeri(intDigits);
        field->setNumerodecimali(decDigits);
        field->show();
        field->setFocus();
    }

private slots:
    void typing_keepsDigitsAndOneSeparatorWithinTheLimits_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("decDigits");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        QTest::newRow("it point key types a comma") << "it_IT" << 4 << "12.5"
                                                    << "12,5";
        QTest::newRow("en comma key types a point") << "en_US" << 4 << "12,5"
                                                    << "12.5";
        QTest::newRow("separator first") << "it_IT" << 4 << ",5"
                                         << ",5";
        QTest::newRow("second separator refused") << "it_IT" << 4 << "1,2.3"
                                                  << "1,23";
        QTest::newRow("letters signs blanks refused") << "it_IT" << 4 << "a-1b+2 e"
                                                      << "12";
        QTest::newRow("integer digits capped") << "it_IT" << 4 << "1234567"
                                               << "12345";
        QTest::newRow("decimal digits capped") << "en_US" << 4 << "1.23456"
                                               << "1.2345";
        QTest::newRow("no decimals, no separator") << "it_IT" << 0 << "10,5"
                                                   << "105";
    }
    void typing_keepsDigitsAndOneSeparatorWithinTheLimits() {
        QFETCH(QString, locale);
        QFETCH(int, decDigits);
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        open(locale, 5, decDigits);
        QTest::keyClicks(field.get(), keys);
        QCOMPARE(field->Valore(), shown);
    }

    void keypadDecimalKey_typesTheLocaleSeparator() {
        for (const char *locale : {"it_IT", "en_US"}) {
            open(QString::fromLatin1(locale), 5, 4);
            QTest::keyClick(field.get(), Qt::Key_7);
            QTest::keyClick(field.get(), Qt::Key_Period, Qt::KeypadModifier);
            QCOMPARE(field->Valore(), u'7' + QLocale().decimalPoint());
        }
    }

    void paste_isTakenWholeOrRefusedWhole_data() {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("shown");
        QTest::newRow("fits") << "123,45"
                              << "123,45";
        QTest::newRow("point in Italian") << "12.5"
                                          << "";
        QTest::newRow("too many digits, not cut") << "1234567"
                                                  << "";
        QTest::newRow("with a unit") << "12 EUR"
                                     << "";
    }
    void paste_isTakenWholeOrRefusedWhole() {
        QFETCH(QString, clipboard);
        QFETCH(QString, shown);
        open(QStringLiteral("it_IT"), 5, 4);
        QApplication::clipboard()->setText(clipboard);
        QTest::keyClick(field.get(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(field->Valore(), shown);
    }

    void change_isRaisedAtEveryChangeOfTheContent() {
        open(QStringLiteral("it_IT"), 5, 4);
        QSignalSpy changes(field.get(), &InputNumerico::Change);
        QTest::keyClicks(field.get(), QStringLiteral("1x2")); // the x changes nothing
        QTest::keyClick(field.get(), Qt::Key_Backspace);
        QCOMPARE(changes.count(), 3);
        field->setValore(QStringLiteral("3,5")); // from code too, once per new text
        field->setValore(QStringLiteral("3,5"));
        QCOMPARE(changes.count(), 4);
    }
};

QTEST_MAIN(TstInputNumerico)
#include "tst_inputnumerico.moc"
