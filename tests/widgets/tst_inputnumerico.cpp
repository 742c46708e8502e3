// The numeric field under real key presses: what it takes, what it refuses, when it says so.
#include "widgets/inputnumerico.h"

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>

using namespace margino;

class TstInputNumerico : public QObject {
    Q_OBJECT

    static QLocale localeNamed(const QString &name) {
        return name == u"it" ? QLocale(QLocale::Italian, QLocale::Italy)
                             : QLocale(QLocale::English, QLocale::UnitedStates);
    }
    struct Shown {
        std::unique_ptr<InputNumerico> field;
        Shown(const QString &locale, int intDigits, int decDigits) {
            QLocale::setDefault(localeNamed(locale));
            field.reset(new InputNumerico);
            field->setNumerointeri(intDigits);
            field->setNumerodecimali(decDigits);
            field->show();
            field->activateWindow();
            field->setFocus();
        }
    };

private slots:
    void typing_keepsDigitsAndOneSeparatorWithinTheLimits_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("intDigits");
        QTest::addColumn<int>("decDigits");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        QTest::newRow("it comma key") << "it" << 5 << 4 << "12,5"
                                      << "12,5";
        QTest::newRow("it point key types a comma") << "it" << 5 << 4 << "12.5"
                                                    << "12,5";
        QTest::newRow("en comma key types a point") << "en" << 5 << 4 << "12,5"
                                                    << "12.5";
        QTest::newRow("en point key") << "en" << 5 << 4 << "9.95"
                                      << "9.95";
        QTest::newRow("separator first") << "it" << 5 << 4 << ",5"
                                         << ",5";
        QTest::newRow("second separator refused") << "it" << 5 << 4 << "1,2.3"
                                                  << "1,23";
        QTest::newRow("letters signs blanks refused") << "it" << 5 << 4 << "a-1b+2 e"
                                                      << "12";
        QTest::newRow("integer digits capped") << "it" << 5 << 4 << "123456"
                                               << "12345";
        QTest::newRow("decimal digits capped") << "en" << 5 << 4 << "1.23456"
                                               << "1.2345";
        QTest::newRow("quantity takes no separator") << "it" << 9 << 0 << "10,5"
                                                     << "105";
        QTest::newRow("quantity nine digits") << "it" << 9 << 0 << "1234567890"
                                              << "123456789";
        QTest::newRow("leading zeros kept") << "it" << 9 << 0 << "00"
                                            << "00";
    }
    void typing_keepsDigitsAndOneSeparatorWithinTheLimits() {
        QFETCH(QString, locale);
        QFETCH(int, intDigits);
        QFETCH(int, decDigits);
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        Shown s(locale, intDigits, decDigits);
        QTest::keyClicks(s.field.get(), keys);
        QCOMPARE(s.field->Valore(), shown);
    }

    void typing_inTheMiddle_mayNotPushPastTheLimit() {
        // State: a price field full of integer digits. Action: a digit before them and a
        // separator after the first. Expected: the digit is refused, the separator taken.
        Shown s(QStringLiteral("it"), 5, 4);
        QTest::keyClicks(s.field.get(), QStringLiteral("12345"));
        QTest::keyClick(s.field.get(), Qt::Key_Home);
        QTest::keyClick(s.field.get(), Qt::Key_9);
        QCOMPARE(s.field->Valore(), QStringLiteral("12345"));
        QTest::keyClick(s.field.get(), Qt::Key_Right);
        QTest::keyClick(s.field.get(), Qt::Key_Period);
        QCOMPARE(s.field->Valore(), QStringLiteral("1,2345"));
    }

    void keypadDecimalKey_typesTheLocaleSeparator() {
        for (const auto &[locale, expected] : {std::pair{"it", "7,5"}, std::pair{"en", "7.5"}}) {
            Shown s(QString::fromLatin1(locale), 5, 4);
            QTest::keyClick(s.field.get(), Qt::Key_7);
            QTest::keyClick(s.field.get(), Qt::Key_Period, Qt::KeypadModifier);
            QTest::keyClick(s.field.get(), Qt::Key_5);
            QCOMPARE(s.field->Valore(), QString::fromLatin1(expected));
        }
    }

    void paste_isTakenWholeOrRefusedWhole_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("shown");
        QTest::newRow("fits") << "it"
                              << "123,45"
                              << "123,45";
        QTest::newRow("point in Italian refused") << "it"
                                                  << "12.5"
                                                  << "";
        QTest::newRow("too many digits refused, not cut") << "it"
                                                          << "1234567"
                                                          << "";
        QTest::newRow("text with letters refused") << "en"
                                                   << "12 EUR"
                                                   << "";
        QTest::newRow("grouping refused") << "en"
                                          << "1,234.5"
                                          << "";
    }
    void paste_isTakenWholeOrRefusedWhole() {
        QFETCH(QString, locale);
        QFETCH(QString, clipboard);
        QFETCH(QString, shown);
        Shown s(locale, 5, 4);
        QApplication::clipboard()->setText(clipboard);
        QTest::keyClick(s.field.get(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(s.field->Valore(), shown);
    }

    void change_isRaisedAtEveryChangeOfTheContent() {
        Shown s(QStringLiteral("it"), 5, 4);
        QSignalSpy changes(s.field.get(), &InputNumerico::Change);
        QTest::keyClicks(s.field.get(), QStringLiteral("12"));
        QCOMPARE(changes.count(), 2);
        QTest::keyClick(s.field.get(), Qt::Key_X); // refused: no change, no event
        QCOMPARE(changes.count(), 2);
        QTest::keyClick(s.field.get(), Qt::Key_Backspace);
        QCOMPARE(changes.count(), 3);
        s.field->setValore(QStringLiteral("3,5")); // from code too
        QCOMPARE(changes.count(), 4);
        s.field->setValore(QStringLiteral("3,5")); // the same text is no change
        QCOMPARE(changes.count(), 4);
        QCOMPARE(s.field->Valore(), QStringLiteral("3,5"));
    }
};

QTEST_MAIN(TstInputNumerico)
#include "tst_inputnumerico.moc"
