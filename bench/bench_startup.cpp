// SPDX-License-Identifier: GPL-3.0-or-later
// Start to first frame, Margino against its floor (a bare field in a window, as for a key), run
// alternately, offscreen unless QT_QPA_PLATFORM says otherwise: wall-clock and CPU time, and
// with --callgrind the instructions of each under valgrind, alternately too.
// Run: build/bench/bench_startup [runs] [--callgrind]

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <algorithm>
#include <cstdio>

namespace {

const QString Margino = QStringLiteral("startup_margino"), Floor = QStringLiteral("startup_floor");

QString child(const QString &name) {
    return QDir(QCoreApplication::applicationDirPath()).filePath(name);
}

struct Start {
    double wall, cpu; // ms from starting the process to its "frame" line; its CPU time then
};

Start timeToFirstFrame(const QString &name) {
    QProcess process;
    QElapsedTimer clock;
    clock.start();
    process.start(child(name), {});
    while (!process.canReadLine())
        if (!process.waitForReadyRead(10000))
            qFatal("%s printed no frame", qPrintable(name));
    const double wall = clock.nsecsElapsed() / 1e6;
    const double cpu = process.readLine().mid(6).trimmed().toLongLong() / 1e3;
    process.waitForFinished();
    return {wall, cpu};
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Instructions of one start, from callgrind's summary.
double instructions(const QString &name) {
    QProcess process;
    process.start(QStringLiteral("valgrind"),
                  {QStringLiteral("--tool=callgrind"),
                   QStringLiteral("--callgrind-out-file=/dev/null"), child(name)});
    process.waitForFinished(300000);
    const auto match = QRegularExpression(QStringLiteral("Collected : (\\d+)"))
                           .match(QString::fromLocal8Bit(process.readAllStandardError()));
    return match.hasMatch() ? match.captured(1).toDouble() : 0;
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QStringList args = app.arguments();
    const int runs = std::max(1, args.value(1).toInt() > 0 ? args.value(1).toInt() : 21);

    timeToFirstFrame(Margino); // warm the file cache for both
    timeToFirstFrame(Floor);
    std::vector<double> margino, floor, marginoCpu, floorCpu;
    for (int i = 0; i < runs; ++i) {
        const Start m = timeToFirstFrame(Margino), f = timeToFirstFrame(Floor);
        margino.push_back(m.wall);
        marginoCpu.push_back(m.cpu);
        floor.push_back(f.wall);
        floorCpu.push_back(f.cpu);
    }
    const double m = median(margino), f = median(floor);
    const double mc = median(marginoCpu), fc = median(floorCpu);
    std::printf("start to first frame (%s, median of %d): Margino %.1f ms, floor %.1f ms, "
                "ratio %.2f\n",
                qgetenv("QT_QPA_PLATFORM").constData(), runs, m, f, m / f);
    std::printf("CPU time to first frame: Margino %.1f ms, floor %.1f ms, ratio %.2f\n", mc, fc,
                mc / fc);
    if (args.contains(QStringLiteral("--callgrind"))) {
        std::vector<double> marginoIr, floorIr;
        for (int i = 0; i < 3; ++i) {
            marginoIr.push_back(instructions(Margino));
            floorIr.push_back(instructions(Floor));
        }
        const double mi = median(marginoIr), fi = median(floorIr);
        std::printf("instructions: Margino %.1f M, floor %.1f M, ratio %.2f\n", mi / 1e6, fi / 1e6,
                    mi / fi);
    }
    return 0;
}
