// Start-up as the program runs it: the settings file beside the program opens, or the
// run-time error report ends the program before any window shows.
#include "app/startup.h"
#include "calc/form1.h"
#include "platform/errorreport.h"
#include "support/datafile.h"
#include "support/modalwatch.h"

#include <QPushButton>
#include <QTest>

using namespace margino;

namespace {

QApplication &app() {
    return *static_cast<QApplication *>(QCoreApplication::instance());
}

} // namespace

class TstStartup : public QObject {
    Q_OBJECT

private slots:
    void unusableFile_endsWithTheErrorReportAndNoWindow_data() {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("description");
        QTest::newRow("missing") << false << QByteArray() << 14 << "unable to open database file";
        QTest::newRow("not a database")
            << true << QByteArray(4096, '\x5a') << 26 << "file is not a database";
        QTest::newRow("empty") << true << QByteArray() << 1 << "no such table: System";
    }
    void unusableFile_endsWithTheErrorReportAndNoWindow() {
        QFETCH(bool, present);
        QFETCH(QByteArray, content);
        QFETCH(int, number);
        QFETCH(QString, description);
        // State: the program's folder holds no usable settings file.
        QTemporaryDir folder;
        const QString fileName = folder.filePath(QStringLiteral("DataMg.mgd"));
        if (present) {
            QFile f(fileName);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        ModalWatch watch;
        // Action: start. Expected: one report naming number, description and file; no window.
        QCOMPARE_NE(Main(app(), folder.path()), 0);
        QCOMPARE(watch.seen().size(), 1);
        const ModalWatch::Seen report = watch.seen().first();
        QCOMPARE(report.title, QString::fromLatin1(ErrorReportTitle));
        QVERIFY2(report.text.contains(QString::number(number)), qPrintable(report.text));
        QVERIFY2(report.text.contains(description), qPrintable(report.text));
        QVERIFY2(report.text.contains(fileName), qPrintable(report.text));
        QCOMPARE(report.otherWindows, QStringList());
        QCOMPARE(QFile::exists(fileName), present);
    }

    void settingsFileBesideTheProgram_opensWhateverTheCurrentFolder() {
        // State: the file lies in the program's folder, the current folder is elsewhere.
        DataFileCopy file;
        QTemporaryDir elsewhere;
        QVERIFY(QDir::setCurrent(elsewhere.path()));
        ModalWatch watch;
        bool shown = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            for (QWidget *w : QApplication::topLevelWidgets()) {
                if (auto *form = qobject_cast<Form1 *>(w); form && form->isVisible()) {
                    shown = true;
                    form->findChild<QPushButton *>(QStringLiteral("cmd_Ok"))->click();
                }
            }
        });
        poll.start(10);
        // Action: start, then "Esci". Expected: the main window showed; status 0.
        QCOMPARE(Main(app(), file.folder()), 0);
        QVERIFY(shown);
        QVERIFY2(watch.seen().isEmpty(), qPrintable(watch.describe()));
    }
};

QTEST_MAIN(TstStartup)
#include "tst_startup.moc"
