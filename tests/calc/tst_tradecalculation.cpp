// The two recalculations through the real window: keys typed into the fields, settings in a
// temporary copy of the real file, results read from the labels and the panels' accessible text.
#include "calc/form1.h"
#include "platform/sqlitedatabase.h"
#include "support/datafile.h"
#include "support/modalwatch.h"

#include <QAction>
#include <QLabel>
#include <QTest>
#include <QTimer>

using namespace margino;

namespace {

const QStringList Tables{QStringLiteral("System"), QStringLiteral("Settaggi")};
const char *const Outputs[] = {"lab_AcqImp", "pic_SLP",         "pic_SLMM", "pic_PdP",
                               "lab_VndImp", "pic_Commissioni", "pic_GP",   "pic_PercentualeGP"};
// One run's results, in the order above; "" is a blank output.
using Shown = QStringList;
const Shown Blank(8);

} // namespace

class TstTradeCalculation : public QObject {
    Q_OBJECT

    std::unique_ptr<DataFileCopy> file;
    std::unique_ptr<SqliteDatabase> db, other; // other: a second program on the same file
    std::unique_ptr<Form1> form;
    std::unique_ptr<ModalWatch> watch;
    bool english = false;

    QWidget *field(const char *name) const {
        return form->findChild<QWidget *>(QString::fromLatin1(name));
    }
    // Replaces a field's text key by key: select all, then type (an empty text: Backspace).
    void type(const char *name, const QString &keys) const {
        QWidget *w = field(name);
        QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
        if (keys.isEmpty())
            QTest::keyClick(w, Qt::Key_Backspace);
        else
            QTest::keyClicks(w, english ? QString(keys).replace(u',', u'.') : keys);
    }
    Shown shown() const {
        Shown result;
        for (const char *name : Outputs) {
            const QWidget *w = field(name);
            const auto *label = qobject_cast<const QLabel *>(w);
            result << (label ? label->text() : w->accessibleName());
        }
        return result;
    }
    // Expected texts are written with a decimal comma; the English rows read a point.
    Shown local(Shown texts) const {
        if (english)
            texts.replaceInStrings(QStringLiteral(","), QStringLiteral("."));
        return texts;
    }
    void settings(const QString &sql) { other->Execute(sql); }

private slots:
    void init() {
        english = QByteArray(QTest::currentDataTag()).startsWith("en");
        QLocale::setDefault(QLocale(english ? QStringLiteral("en_US") : QStringLiteral("it_IT")));
        watch = std::make_unique<ModalWatch>();
        file = std::make_unique<DataFileCopy>();
        db = std::make_unique<SqliteDatabase>(file->path(), Tables);
        other = std::make_unique<SqliteDatabase>(file->path(), Tables);
        // The settings of the worked examples.
        settings(QStringLiteral("UPDATE Settaggi SET SLP = 5, SLMM = 50, CapitalGain = 26"));
        settings(QStringLiteral("UPDATE System SET Commissioni = 2, CommissioniMin = 5"));
        form = std::make_unique<Form1>(*db);
        form->show();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    void cleanup() {
        form.reset();
        other.reset();
        db.reset();
        file.reset();
        QVERIFY2(watch->seen().isEmpty(), qPrintable(watch->describe()));
        watch.reset();
    }

    void workedExamples_showEveryStateWhileTyping_data() {
        QTest::addColumn<int>("unused");
        QTest::newRow("it") << 0;
        QTest::newRow("en") << 0;
    }
    // State: settings SLP 5, SLMM 50, rate 2, minimum 5. Action: type quantity, purchase
    // price and sale price one key at a time. Expected: the results after every key.
    void workedExamples_showEveryStateWhileTyping() {
        struct Key {
            const char *field;
            QString keys;
            Shown expected;
        };
        const Key steps[] = {
            {"in_Qta", "100", Blank}, // no price yet: nothing to compute, nothing blanked
            {"in_AcqPzo", "1", {"100", "0,95", "0,5", "1,004", "", "", "", ""}},
            {"in_AcqPzo", "10", {"1000", "9,5", "9,5", "10,04", "", "", "", ""}},
            {"in_VndPzo", "1", {"1000", "9,5", "9,5", "10,04", "100", "10", "-910", "-91"}},
            {"in_VndPzo", "11", {"1000", "9,5", "9,5", "10,04", "1100", "10", "90", "9"}},
            {"in_VndPzo", "9", {"1000", "9,5", "9,5", "10,04", "900", "10", "-110", "-11"}},
            {"in_VndPzo", "9,9", {"1000", "9,5", "9,5", "10,04", "990", "10", "-20", "-2"}},
            {"in_VndPzo", "9,95", {"1000", "9,5", "9,5", "10,04", "995", "10", "-15", "-2"}},
            // A quantity change reruns both sides.
            {"in_Qta", "10", {"100", "9,5", "5", "10,04", "99,5", "10", "-10,5", "-11"}},
        };
        for (const Key &step : steps) {
            type(step.field, step.keys);
            QCOMPARE(shown(), local(step.expected));
        }
    }

    void blankingRules_blankOnlyForANumericRefusedInput_data() {
        QTest::addColumn<QString>("fieldName");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<Shown>("expected");
        const Shown full{"1000", "9,5", "9,5", "10,04", "1100", "10", "90", "9"};
        const Shown saleBlank{"1000", "9,5", "9,5", "10,04", "", "", "", ""};
        const struct {
            const char *name, *field, *keys;
            Shown expected;
        } rows[] = {{"quantity 0", "in_Qta", "0", Blank},
                    {"quantity 00 has no value", "in_Qta", "00", Blank},
                    {"quantity emptied", "in_Qta", "", Blank},
                    {"price 0", "in_AcqPzo", "0", Blank},
                    {"price emptied keeps all", "in_AcqPzo", "", full},
                    {"sale 0", "in_VndPzo", "0", saleBlank},
                    {"sale emptied keeps all", "in_VndPzo", "", full}};
        for (const auto &row : rows)
            QTest::newRow(row.name) << QString(row.field) << QString(row.keys) << row.expected;
    }
    // State: quantity 100, price 10, sale 11 typed. Action: change one field.
    void blankingRules_blankOnlyForANumericRefusedInput() {
        QFETCH(QString, fieldName);
        QFETCH(QString, keys);
        QFETCH(Shown, expected);
        type("in_Qta", "100");
        type("in_AcqPzo", "10");
        type("in_VndPzo", "11");
        type(qPrintable(fieldName), keys);
        QCOMPARE(shown(), expected);
    }

    void salePriceWithoutPurchase_computesNothing() {
        type("in_VndPzo", "11");
        QCOMPARE(shown(), Blank);
        type("in_Qta", "100"); // still no purchase price, so still no purchase amount
        QCOMPARE(shown(), Blank);
    }

    void results_roundAndFloorAsTheTradeRulesSay_data() {
        QTest::addColumn<QStringList>("setting"); // rate, minimum, SLMM (SLP stays 5)
        QTest::addColumn<QStringList>("typed");   // quantity, price, sale
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("expected");
        const struct {
            const char *name;
            QStringList setting, typed;
            const char *output, *expected;
        } rows[] = {
            {"money stop above the amount", {"2", "5", "1500"}, {"100", "10", ""}, "pic_SLMM", "5"},
            {"money stop tie 0,03125 down",
             {"2", "5", "31"},
             {"32", "1", ""},
             "pic_SLMM",
             "0,0312"},
            {"money stop tie 0,09375 up", {"2", "5", "29"}, {"32", "1", ""}, "pic_SLMM", "0,0938"},
            {"gain tie 0,125 down", {"0", "0", "50"}, {"1", "1", "1,125"}, "pic_GP", "0,12"},
            {"gain tie 0,375 up", {"0", "0", "50"}, {"1", "1", "1,375"}, "pic_GP", "0,38"},
            {"commissions not rounded",
             {"1.9", "0", "50"},
             {"1", "105", "105"},
             "pic_Commissioni",
             "0,399"},
            {"commission equal to the minimum",
             {"2", "2", "50"},
             {"100", "10", "10"},
             "pic_Commissioni",
             "4"},
            {"gain exactly zero", {"0", "0", "50"}, {"100", "10", "10"}, "pic_GP", "0"},
            {"gain of minus zero shows 0", {"0", "0.0005", "50"}, {"1", "10", "10"}, "pic_GP", "0"},
            {"percentage of minus zero shows 0",
             {"0", "0.0005", "50"},
             {"1", "10", "10"},
             "pic_PercentualeGP",
             "0"},
            {"break-even longer than the panel",
             {"1.9", "5", "50"},
             {"7", "12,3457", ""},
             "pic_PdP",
             "12,39261366"},
        };
        for (const auto &row : rows)
            QTest::newRow(row.name)
                << row.setting << row.typed << QString(row.output) << QString(row.expected);
    }
    void results_roundAndFloorAsTheTradeRulesSay() {
        QFETCH(QStringList, setting);
        QFETCH(QStringList, typed);
        QFETCH(QString, output);
        QFETCH(QString, expected);
        settings(QStringLiteral("UPDATE System SET Commissioni = %1, CommissioniMin = %2")
                     .arg(setting[0], setting[1]));
        settings(QStringLiteral("UPDATE Settaggi SET SLMM = ") + setting[2]);
        type("in_Qta", typed[0]);
        type("in_AcqPzo", typed[1]);
        type("in_VndPzo", typed[2]);
        QCOMPARE(field(qPrintable(output))->accessibleName(), expected);
    }

    // State: results shown. Action: another program saves a new stop loss, then a key.
    // Expected: that key's results use the new setting; nothing is cached.
    void savedSetting_takesEffectAtTheNextKey() {
        type("in_Qta", "100");
        type("in_AcqPzo", "1");
        settings(QStringLiteral("UPDATE Settaggi SET SLP = 10"));
        QTest::keyClicks(field("in_AcqPzo"), QStringLiteral("0"));
        QCOMPARE(field("pic_SLP")->accessibleName(), QStringLiteral("9"));
    }

    void settingsWindow_closeShowsResultsOfTheNewValuesAtOnce_data() {
        QTest::addColumn<QString>("fieldName");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<Shown>("expected");
        const Shown before{"1000", "9,5", "9,5", "10,04", "1100", "10", "90", "9"};
        QTest::newRow("it rate") << "in_CommissioniPerc"
                                 << "6" << Shown{"1000", "9,5",  "9,5",  "10,12",
                                                 "1100", "12,6", "87,4", "8"};
        QTest::newRow("it stop loss")
            << "in_SLP"
            << "10" << Shown{"1000", "9", "9,5", "10,04", "1100", "10", "90", "9"};
        QTest::newRow("it capital gain changes no result") << "in_CapitalGain"
                                                           << "30" << before;
    }
    // State: results for quantity 100, price 10, sale 11. Action: Settaggio, retype one field,
    // Esci. Expected: the panels show the new results without another key; the value is stored.
    void settingsWindow_closeShowsResultsOfTheNewValuesAtOnce() {
        QFETCH(QString, fieldName);
        QFETCH(QString, keys);
        QFETCH(Shown, expected);
        type("in_Qta", "100");
        type("in_AcqPzo", "10");
        type("in_VndPzo", "11");
        watch.reset(); // this test answers the settings window itself
        bool typed = false;
        QTimer::singleShot(0, this, [&] {
            QWidget *settings = QApplication::activeModalWidget();
            QWidget *w = settings->findChild<QWidget *>(fieldName);
            QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(w, keys);
            QTest::mouseClick(settings->findChild<QWidget *>(QStringLiteral("Command2")),
                              Qt::LeftButton);
            typed = true;
        });
        form->findChild<QAction *>(QStringLiteral("mnu_Settaggio"))->trigger();
        watch = std::make_unique<ModalWatch>();
        QVERIFY(typed);
        QCOMPARE(shown(), local(expected));
        const bool capitalGain = fieldName == QStringLiteral("in_CapitalGain");
        QCOMPARE(
            other->OpenRecordset(u"SELECT * FROM Settaggi").number(QStringLiteral("CapitalGain")),
            capitalGain ? 30.0 : 26.0);
    }

    void databaseFailure_isReportedAndTheWindowGoesOn_data() {
        QTest::addColumn<QString>("breakIt");
        QTest::addColumn<QString>("mendIt");
        QTest::addColumn<int>("number");
        QTest::addColumn<Shown>("kept"); // after the failing key
        QTest::newRow("settings table without a row")
            << "DELETE FROM Settaggi"
            << "INSERT INTO Settaggi VALUES (26, 5, 50)" << 3021
            << Shown{"1000", "0,95", "0,5", "1,004", "", "", "", ""};
        QTest::newRow("rate holding no value")
            << "UPDATE System SET Commissioni = NULL"
            << "UPDATE System SET Commissioni = 2" << 94
            << Shown{"1000", "9,5", "9,5", "1,004", "", "", "", ""};
        QTest::newRow("file locked by another program")
            << "BEGIN EXCLUSIVE"
            << "COMMIT" << 5 << Shown{"100", "0,95", "0,5", "1,004", "", "", "", ""};
    }
    // State: results for price 1. Action: break the settings, type "0" (price 10), mend them,
    // erase the "0". Expected: one report with the engine's number; what was written before
    // the failure stays; the next key computes normally.
    void databaseFailure_isReportedAndTheWindowGoesOn() {
        QFETCH(QString, breakIt);
        QFETCH(QString, mendIt);
        QFETCH(int, number);
        QFETCH(Shown, kept);
        type("in_Qta", "100");
        type("in_AcqPzo", "1");
        settings(breakIt);
        QTest::keyClicks(field("in_AcqPzo"), QStringLiteral("0"));
        const QList<ModalWatch::Seen> seen = watch->take();
        QCOMPARE(seen.size(), 1);
        QVERIFY2(seen[0].text.startsWith(QStringLiteral("Errore di run-time %1:").arg(number)),
                 qPrintable(seen[0].text));
        QCOMPARE(shown(), kept);
        QVERIFY(form->isVisible());

        settings(mendIt);
        QTest::keyClick(field("in_AcqPzo"), Qt::Key_Backspace);
        QCOMPARE(shown(), (Shown{"100", "0,95", "0,5", "1,004", "", "", "", ""}));
    }
};

QTEST_MAIN(TstTradeCalculation)
#include "tst_tradecalculation.moc"
