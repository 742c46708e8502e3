// SPDX-License-Identifier: GPL-3.0-or-later
// The two recalculations over texts, without a window: fields typed in turn, settings in a
// temporary copy of the real file, in an Italian and an English locale.
#include "calc/explanations.h"
#include "calc/tradecalculator.h"
#include "support/spydatabase.h"

#include <QTest>
#include <sqlite3.h>

using namespace margino;

namespace {

// Amount, percentage stop, budget stop, break-even, then sale amount, commissions, gain, %.
using Shown = QStringList;
const Shown Blank(8);

} // namespace

class TstTradeCalculation : public QObject {
    Q_OBJECT

    std::unique_ptr<SpyDatabase> db;
    std::unique_ptr<TradeCalculator> calculator;
    TradeTexts texts;
    QLocale locale;
    std::optional<RuntimeError> failure;

    // Sets a field's text as typing does and runs the side its change runs.
    void type(const char *field, const QString &text) {
        const QByteArray name(field);
        (name == "quantity" ? texts.quantity : name == "price" ? texts.price : texts.sale) = text;
        failure = name == "sale" ? calculator->saleSide(texts, locale)
                                 : calculator->purchaseSide(texts, locale);
    }
    void typeTrade(const QStringList &qps) {
        type("quantity", qps[0]);
        type("price", qps[1]);
        type("sale", qps[2]);
    }
    Shown shown() const {
        const auto &c = texts.captions;
        return {texts.purchaseAmount, c[TradeTexts::SLP],
                c[TradeTexts::SLMM],  c[TradeTexts::PdP],
                texts.saleAmount,     c[TradeTexts::Commissioni],
                c[TradeTexts::GP],    c[TradeTexts::PercentualeGP]};
    }
    // Texts are written with a decimal comma; English rows read and type a point.
    QString local(QString text) const { return text.replace(u',', locale.decimalPoint()); }
    Shown local(Shown texts) const {
        for (QString &text : texts)
            text = local(text);
        return texts;
    }
    void settings(const QString &sql) { db->real.Execute(sql); }

private slots:
    void init() {
        const bool english = QByteArray(QTest::currentDataTag()).startsWith("en");
        locale = QLocale(english ? QStringLiteral("en_US") : QStringLiteral("it_IT"));
        db = std::make_unique<SpyDatabase>();
        calculator = std::make_unique<TradeCalculator>(*db);
        texts = {};
        // Settings whose minimum commission is reached by small trades.
        settings(QStringLiteral("UPDATE Settaggi SET SLP = 5, SLMM = 50, CapitalGain = 26"));
        settings(QStringLiteral("UPDATE System SET Commissioni = 2, CommissioniMin = 5"));
    }

    void typing_showsEveryStateOfATrade_data() {
        QTest::addColumn<int>("unused");
        QTest::newRow("it") << 0;
        QTest::newRow("en") << 0;
    }
    // State: SLP 5, SLMM 50, rate 2, minimum 5. Action: type quantity, price and sale price.
    // Expected: after every key, a break-even that pays the minimum on both orders.
    void typing_showsEveryStateOfATrade() {
        const struct {
            const char *field, *text;
            Shown expected;
        } steps[] = {
            {"quantity", "100", Blank}, // no price yet: nothing to compute
            {"price", "1", {"100", "0,95", "0,5", "1,1", "", "", "", ""}},
            {"price", "10", {"1000", "9,5", "9,5", "10,1", "", "", "", ""}},
            {"sale", "1", {"1000", "9,5", "9,5", "10,1", "100", "10", "-910", "-91"}},
            {"sale", "11", {"1000", "9,5", "9,5", "10,1", "1100", "10", "90", "9"}},
            {"sale", "9,95", {"1000", "9,5", "9,5", "10,1", "995", "10", "-15", "-2"}},
            {"sale", "10,1", {"1000", "9,5", "9,5", "10,1", "1010", "10", "0", "0"}},
            // A quantity change reruns both sides.
            {"quantity", "10", {"100", "9,5", "5", "11", "101", "10", "-9", "-9"}},
        };
        for (const auto &step : steps) {
            type(step.field, local(step.text));
            QCOMPARE(shown(), local(step.expected));
            QVERIFY(!failure);
        }
    }

    void refusedInput_blanksItsSideWhateverTheText_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Shown>("expected");
        const Shown saleBlank{"1000", "9,5", "9,5", "10,1", "", "", "", ""};
        for (const auto &[row, field, text] : {std::tuple{"quantity 0", "quantity", "0"},
                                               {"quantity 00 has no value", "quantity", "00"},
                                               {"quantity emptied", "quantity", ""},
                                               {"price 0", "price", "0"},
                                               {"price emptied", "price", ""},
                                               {"price a lone comma", "price", ","},
                                               {"sale 0", "sale", "0"},
                                               {"sale emptied", "sale", ""}})
            QTest::newRow(row) << QString(field) << QString(text)
                               << (QByteArray(field) == "sale" ? saleBlank : Blank);
    }
    // State: quantity 100, price 10, sale 11. Action: change one field.
    // Expected: a side whose input cannot give a result shows nothing, never its old result.
    void refusedInput_blanksItsSideWhateverTheText() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(Shown, expected);
        typeTrade({"100", "10", "11"});
        type(qPrintable(field), text);
        QCOMPARE(shown(), expected);
    }

    // State: quantity 10, price 3. Action: empty the price, type a sale price, change the
    // quantity. Expected: no gain is computed from the price that is gone.
    void emptiedPrice_isNeverUsedBySaleSide() {
        type("quantity", "10");
        type("price", "3");
        type("price", "");
        type("sale", "3,5");
        type("quantity", "20");
        QCOMPARE(shown(), Blank);
    }

    void results_roundAndFloorToTheirPlaces_data() {
        QTest::addColumn<QStringList>("setting"); // rate, minimum, SLMM (SLP stays 5)
        QTest::addColumn<QStringList>("typed");   // quantity, price, sale
        QTest::addColumn<int>("output");          // index into shown()
        QTest::addColumn<QString>("expected");
        const struct {
            const char *name;
            QStringList setting, typed;
            int output;
            const char *expected;
        } rows[] = {
            {"budget stop, position within the budget", {"2", "5", "100"}, {"10", "3", ""}, 2, "0"},
            {"budget stop, amount equal to the budget", {"2", "5", "30"}, {"10", "3", ""}, 2, "0"},
            {"budget stop tie 0,03125 down", {"2", "5", "31"}, {"32", "1", ""}, 2, "0,0312"},
            {"budget stop tie 0,09375 up", {"2", "5", "29"}, {"32", "1", ""}, 2, "0,0938"},
            // The sale's commission grows with the sale price: the break-even pays it too, and
            // is shown rounded up at the panel's last digit.
            {"break-even pays the sale's growing commission",
             {"1.9", "2.95", "50"},
             {"1000", "12,3457", ""},
             3,
             "12,392703"},
            {"gain tie 0,125 down", {"0", "0", "50"}, {"1", "1", "1,125"}, 6, "0,12"},
            {"gain tie 0,375 up", {"0", "0", "50"}, {"1", "1", "1,375"}, 6, "0,38"},
            {"commissions not rounded", {"1.9", "0", "50"}, {"1", "105", "105"}, 5, "0,399"},
            {"commission equal to the minimum", {"2", "2", "50"}, {"100", "10", "10"}, 5, "4"},
            {"gain of minus zero shows 0", {"0", "0.0005", "50"}, {"1", "10", "10"}, 6, "0"},
            {"percentage of minus zero shows 0", {"0", "0.0005", "50"}, {"1", "10", "10"}, 7, "0"},
        };
        for (const auto &row : rows)
            QTest::newRow(row.name)
                << row.setting << row.typed << row.output << QString(row.expected);
    }
    void results_roundAndFloorToTheirPlaces() {
        QFETCH(QStringList, setting);
        QFETCH(QStringList, typed);
        QFETCH(int, output);
        QFETCH(QString, expected);
        settings(QStringLiteral("UPDATE System SET Commissioni = %1, CommissioniMin = %2")
                     .arg(setting[0], setting[1]));
        settings(QStringLiteral("UPDATE Settaggi SET SLMM = ") + setting[2]);
        typeTrade(typed);
        QCOMPARE(shown().at(output), expected);
    }

    void afterTax_isTheGainLessTaxOnlyWhenPositive_data() {
        QTest::addColumn<QString>("sale");
        QTest::addColumn<QString>("afterTax");
        QTest::newRow("gain taxed") << u"11"_qs << u"66,6"_qs;
        QTest::newRow("no gain, no tax") << u"10,1"_qs << u"0"_qs;
        QTest::newRow("loss kept whole") << u"9,95"_qs << u"-15"_qs;
    }
    // State: capital gain 26 %. Action: type 100 × 10 and the sale price. Expected: the gain
    // less the tax; a loss is not taxed, and its explanation says why.
    void afterTax_isTheGainLessTaxOnlyWhenPositive() {
        QFETCH(QString, sale);
        QFETCH(QString, afterTax);
        typeTrade({"100", "10", sale});
        QCOMPARE(texts.afterTax, afterTax);
        const bool loss = afterTax.startsWith(u'-');
        QCOMPARE(explanation(Figure::GP, texts, locale).contains(QStringLiteral("compensare")),
                 loss);
    }

    void tariffAndTax_giveTheBrokersFigures_data() {
        QTest::addColumn<QString>("tariff"); // the tariff table's values, as an UPDATE sets them
        QTest::addColumn<bool>("taxed");
        QTest::addColumn<Shown>("expected");
        const QString maximum = "CommissioniMax = 19";
        QTest::newRow("en maximum, tax on")
            << maximum << true
            << Shown{"50000", "9,5", "9,99", "10,0276", "52500", "38", "2362", "4"};
        QTest::newRow("it maximum, tax off")
            << maximum << false
            << Shown{"50000", "9,5", "9,99", "10,0076", "52500", "38", "2462", "4"};
        QTest::newRow("it percent maximum below the minimum")
            << "CommissioniMaxPerc = 0.001" << false
            << Shown{"50000", "9,5", "9,99", "10,000201", "52500", "1,025", "2498,98", "4"};
    }
    void tariffAndTax_giveTheBrokersFigures() {
        // State: rate 1,9 ‰, minimum 2,95 and the row's tariff. Action: type 5000 × 10 → 10,5.
        // Expected: the commissions, gain and break-even the broker's and the State's charges
        // give; the commissions panel without the tax.
        QFETCH(QString, tariff);
        QFETCH(bool, taxed);
        QFETCH(Shown, expected);
        settings("UPDATE System SET Commissioni = 1.9, CommissioniMin = 2.95");
        settings("UPDATE Tariffa SET " + tariff);
        texts.transactionTax = taxed;
        typeTrade({"5000", "10", local("10,5")});
        QCOMPARE(shown(), local(expected));
        QVERIFY(!failure);
    }

    void commissionExplanation_chargesEachOrderOnItsOwnAmount_data() {
        QTest::addColumn<QString>("tariff"); // the tariff table's values, as an UPDATE sets them
        QTest::addColumn<QStringList>("trade");
        QTest::addColumn<QString>("purchase"); // the purchase order's commission, explained
        QTest::addColumn<QString>("sale");     // the sale order's
        QTest::addColumn<QString>("total");
        for (const char *lang : {"it", "en"}) {
            const QByteArray l(lang);
            QTest::newRow(l + " rate")
                << "CommissioniMax = 0" << QStringList{"5000", "10", "12"} << "50000 × 1,9 ‰ = 95"
                << "60000 × 1,9 ‰ = 114"
                << "209";
            QTest::newRow(l + " maximum")
                << "CommissioniMax = 19" << QStringList{"5000", "10", "10,5"}
                << "50000 × 1,9 ‰ = 95 → massimo 19"
                << "52500 × 1,9 ‰ = 99,75 → massimo 19"
                << "38";
        }
        QTest::newRow("it minimum, then rate")
            << "CommissioniMax = 0" << QStringList{"1000", "1", "2"}
            << "1000 × 1,9 ‰ = 1,9 → minimo 2,95"
            << "2000 × 1,9 ‰ = 3,8"
            << "6,75";
        QTest::newRow("it per share")
            << "CommissioniPerAzione = 0.01" << QStringList{"100", "10", "20"}
            << "1000 × 1,9 ‰ + 100 × 0,01 = 2,9 → minimo 2,95"
            << "2000 × 1,9 ‰ + 100 × 0,01 = 4,8"
            << "7,75";
    }
    void commissionExplanation_chargesEachOrderOnItsOwnAmount() {
        // State: rate 1,9 ‰, minimum 2,95 and the row's tariff. Action: type the trade.
        // Expected: the Commissioni figure explained as the purchase order's commission on the
        // purchase amount plus the sale order's on the sale amount, and the copied block's two
        // commission lines the same.
        QFETCH(QString, tariff);
        QFETCH(QStringList, trade);
        QFETCH(QString, purchase);
        QFETCH(QString, sale);
        QFETCH(QString, total);
        settings("UPDATE System SET Commissioni = 1.9, CommissioniMin = 2.95");
        settings("UPDATE Tariffa SET " + tariff);
        typeTrade({trade[0], local(trade[1]), local(trade[2])});
        QCOMPARE(texts.captions[TradeTexts::Commissioni], local(total));
        QCOMPARE(explanation(Figure::Commissioni, texts, locale),
                 local("Acquisto " + purchase + " + vendita " + sale + " = " + total));
        const QString copied = allResults(texts, locale);
        QVERIFY(copied.contains(local("\nCommissione di acquisto: " + purchase + " €\n")));
        QVERIFY(copied.contains(local("\nCommissione di vendita: " + sale + " €\n")));
    }

    void fileWithoutTariffTable_givesTheSameFigures() {
        // State: the shipped file, then the same without the tariff's table (a file written
        // before it). Action: the same trades. Expected: every text the same, tax switch or not.
        settings("UPDATE Tariffa SET ImpostaTransazioni = 0.2");
        const QList<QStringList> trades{{"100", "10", "11"},
                                        {"5000", "10", "10,5"},
                                        {"3", "0,5", "0,4"},
                                        {"2000", "10", "10,038"}};
        QList<TradeTexts> withTable;
        for (const QStringList &trade : trades) {
            texts = {};
            texts.transactionTax = withTable.size() % 2 == 1;
            typeTrade(trade);
            withTable << texts;
        }
        settings("DROP TABLE Tariffa");
        for (qsizetype i = 0; i < trades.size(); ++i) {
            texts = {};
            texts.transactionTax = i % 2 == 1;
            typeTrade(trades[i]);
            QCOMPARE(texts, withTable[i]);
            QVERIFY(!failure);
        }
    }

    void unusableSettings_blankTheSideAndAreReportedOnce_data() {
        QTest::addColumn<QString>("breakIt");
        QTest::addColumn<QString>("mendIt");
        QTest::addColumn<int>("number");
        QTest::newRow("settings table without a row")
            << "DELETE FROM Settaggi"
            << "INSERT INTO Settaggi VALUES (26, 5, 50)" << 3021;
        QTest::newRow("rate holding no value") << "UPDATE System SET Commissioni = NULL"
                                               << "UPDATE System SET Commissioni = 2" << 94;
        QTest::newRow("table gone") << "ALTER TABLE System RENAME TO S"
                                    << "ALTER TABLE S RENAME TO System" << 1;
        QTest::newRow("negative tariff part") << "UPDATE Tariffa SET CommissioniFisse = -1"
                                              << "UPDATE Tariffa SET CommissioniFisse = 0" << 380;
    }
    // State: results for quantity 100, price 10, sale 11. Action: break the settings, change
    // the price twice, mend them, change it again. Expected: a failing run blanks both sides
    // and returns the failure; one report for repeated failures of a kind; a run that reads
    // the settings again computes everything.
    void unusableSettings_blankTheSideAndAreReportedOnce() {
        QFETCH(QString, breakIt);
        QFETCH(QString, mendIt);
        QFETCH(int, number);
        typeTrade({"100", "10", "11"});
        settings(breakIt);
        FailureLatch latch;
        type("price", "10");
        QCOMPARE(shown(), Blank);
        QCOMPARE(failure.value().number(), number);
        QVERIFY(latch.admit(failure));
        type("price", "1");
        QVERIFY(!latch.admit(failure));
        settings(mendIt);
        type("price", "10");
        QVERIFY(!latch.admit(failure));
        QCOMPARE(shown(), (Shown{"1000", "9,5", "9,5", "10,1", "1100", "10", "90", "9"}));
    }

    // State: quantity 100, price 10, sale 11. Action: another program saves new settings
    // after the recalculation's first query. Expected: the save waits for the read to end,
    // so every result is computed from one state of the file.
    void saveByAnotherProgram_isSeenWholeOrNotAtAll() {
        typeTrade({"100", "10", "11"});
        sqlite3 *other = nullptr;
        sqlite3_open(db->file.path().toUtf8().constData(), &other);
        db->meanwhile = [other] {
            sqlite3_exec(other,
                         "BEGIN; UPDATE Settaggi SET SLP = 50; UPDATE System SET Commissioni = 20;"
                         " COMMIT",
                         nullptr, nullptr, nullptr);
        };
        type("quantity", "100");
        sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(other);
        QCOMPARE(shown(), (Shown{"1000", "9,5", "9,5", "10,1", "1100", "10", "90", "9"}));
    }

    void settingsChangedBetweenKeys_areReadAtTheNextKey_data() {
        QTest::addColumn<bool>("anotherProgram");
        QTest::newRow("saved by another program") << true;
        QTest::newRow("saved through this connection") << false;
    }
    // State: quantity 100, price 10, sale 11, a rate of 2. Action: the rate becomes 20; a key.
    // Expected: the key's figures use 20; a key with the file unchanged parses nothing again.
    void settingsChangedBetweenKeys_areReadAtTheNextKey() {
        QFETCH(bool, anotherProgram);
        typeTrade({"100", "10", "11"});
        const int queries = db->queries;
        type("quantity", "100");
        QCOMPARE(db->queries, queries);
        const char *update = "UPDATE System SET Commissioni = 20";
        if (anotherProgram) {
            sqlite3 *other = nullptr;
            sqlite3_open(db->file.path().toUtf8().constData(), &other);
            QCOMPARE(sqlite3_exec(other, update, nullptr, nullptr, nullptr), SQLITE_OK);
            sqlite3_close(other);
        } else {
            settings(QString::fromLatin1(update));
        }
        type("quantity", "100");
        QCOMPARE(shown()[5], QStringLiteral("42")); // 20 ‰ of 1000 and of 1100
    }

    // State: quantity 100, price 10, sale 11; another connection holds the file locked.
    // Action: a quantity key, which runs both sides. Expected: one query waits out the lock
    // and fails; the sale side reads nothing more; both sides blank, the lock reported.
    void keyUnderAnExternalLock_waitsOnce() {
        typeTrade({"100", "10", "11"});
        sqlite3 *other = nullptr;
        sqlite3_open(db->file.path().toUtf8().constData(), &other);
        QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        calculator = std::make_unique<TradeCalculator>(*db); // nothing read yet
        type("quantity", "100");
        sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(other);
        QCOMPARE(db->failed, 1);
        QCOMPARE(failure.value().number(), SQLITE_BUSY);
        QCOMPARE(shown(), Blank);
        QVERIFY(!texts.saleProblem.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TstTradeCalculation)
#include "tst_tradecalculation.moc"
