// SPDX-License-Identifier: GPL-3.0-or-later
// The journal's speed on this machine's disk: one save, the window opening over 100 000
// trades, the year totals after a filter change, and the export of 100 000 trades.
#include "journal/journalexport.h"
#include "ui/journalwindow.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <ctime>

using namespace margino;

namespace {

Trade trade(int i) {
    Trade t;
    t.id = i + 1;
    t.savedAt = QDateTime(QDate(2020 + i % 7, 1 + i % 12, 1 + i % 28), QTime(10, i % 60));
    t.quantity = QString::number(100 + i % 900);
    t.purchasePrice = QStringLiteral("10.25");
    t.salePrice = i % 10 ? QStringLiteral("11.5") : QString();
    t.purchaseAmount = QStringLiteral("1025");
    t.breakEven = QStringLiteral("10.309");
    t.stopPercent = QStringLiteral("9.7375");
    t.stopMoney = QStringLiteral("9.25");
    if (!t.isOpen()) {
        t.saleAmount = QStringLiteral("1150");
        t.commissions = QStringLiteral("5.9");
        t.gain = QString::number(119.1 - i % 300);
        t.gainPercent = QStringLiteral("11");
        t.gainAfterTax = QStringLiteral("88.13");
        t.transactionTax = QStringLiteral("0");
    }
    t.costs = {
        QStringLiteral("1.9"), QStringLiteral("2.95"), QStringLiteral("0"), QStringLiteral("0"),
        QStringLiteral("0"),   QStringLiteral("0"),    QStringLiteral("0"), false,
        QStringLiteral("26")};
    t.note = i % 3 ? QString() : QStringLiteral("nota %1").arg(i);
    return t;
}

double median(QList<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double ms(const QElapsedTimer &t) {
    return double(t.nsecsElapsed()) / 1e6;
}

// The process's processor time in ms, every thread counted: on a shared, loaded machine it
// says more than the wall clock.
double cpuMs() {
    return double(std::clock()) * 1000 / CLOCKS_PER_SEC;
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    // On the disk beside the build, not a memory file system: a save's cost is its sync.
    QTemporaryDir dir(QDir::currentPath() + QStringLiteral("/bench-journal-XXXXXX"));
    dir.setAutoRemove(!qEnvironmentVariableIsSet("MARGINO_BENCH_KEEP"));
    const QString file = dir.filePath(QStringLiteral("Registro.sqlite"));
    {
        JournalFile journal(file, JournalFile::Open::Create);
        QList<double> firsts, saves;
        for (int i = 0; i < 20; ++i) {
            QElapsedTimer t;
            t.start();
            JournalFile(file, JournalFile::Open::Create).save(trade(i));
            firsts << ms(t);
        }
        // The main window keeps its connection after the first save.
        JournalFile kept(file, JournalFile::Open::Create);
        for (int i = 0; i < 50; ++i) {
            QElapsedTimer t;
            t.start();
            if (kept.stillAtItsName())
                kept.save(trade(i));
            saves << ms(t);
        }
        std::printf("first save of a run (open, save, close), median of 20: %.2f ms\n",
                    median(firsts));
        std::printf("save, median of 50: %.2f ms (max %.2f)\n", median(saves),
                    *std::max_element(saves.begin(), saves.end()));
        journal.remove(journal.ids({}));
        QList<Trade> many;
        for (int i = 0; i < 100000; ++i)
            many << trade(i);
        journal.restore(many);
    }
    {
        JournalFile journal(file, JournalFile::Open::Existing);
        QList<double> totals, ids;
        for (int year = 2020; year < 2027; ++year) {
            QElapsedTimer t;
            t.start();
            journal.totals(year);
            totals << ms(t);
            t.restart();
            journal.ids({year});
            ids << ms(t);
        }
        std::printf("year totals alone, median of 7 years: %.1f ms; the year's rows: %.1f ms\n",
                    median(totals), median(ids));
        QElapsedTimer t;
        t.start();
        int rows = 0;
        journal.forEach({}, [&](const Trade &) { return ++rows; });
        std::printf("reading all %d trades: %.0f ms\n", rows, ms(t));
    }
    QList<double> opens, openCpu, filters;
    for (int run = 0; run < 7; ++run) {
        QElapsedTimer t;
        t.start();
        const double cpu = cpuMs();
        auto *window = new JournalWindow(file, [](const Trade &) { return TradeTexts(); });
        window->show();
        window->repaint(); // to the first full frame
        opens << ms(t);
        openCpu << cpuMs() - cpu;
        auto *year = window->findChild<QComboBox *>(QStringLiteral("Anno"));
        t.restart();
        year->setCurrentIndex(run % 2 ? 3 : 0); // a year, then all years
        window->repaint();
        filters << ms(t);
        delete window;
    }
    std::printf("window opens over 100 000 trades, median of 7: %.1f ms (processor %.1f ms)\n",
                median(opens), median(openCpu));
    std::printf("filter change with rows and totals repainted, median of 7: %.1f ms\n",
                median(filters));
    for (const char *name : {"bench.csv", "bench.xlsx"}) {
        QElapsedTimer t;
        t.start();
        const double cpu = cpuMs();
        exportJournal(file, {}, dir.filePath(QString::fromLatin1(name)));
        std::printf("export of 100 000 trades to %s: %.0f ms (processor %.0f ms)\n", name, ms(t),
                    cpuMs() - cpu);
    }
    return 0;
}
