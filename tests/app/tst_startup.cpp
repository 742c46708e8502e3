// Start-up as the program runs it: the settings file beside the program opens, or the
// run-time error report ends the program before any window shows. No user copy or installed
// template exists here (their rules have their own test).
#include "app/startup.h"
#include "calc/form1.h"
#include "platform/errorreport.h"
#include "support/datafile.h"
#include "support/modalwatch.h"

#include <QPushButton>
#include <QTest>

using namespace margino;

class TstStartup : public QObject {
    Q_OBJECT

    static QApplication &app() {
        return *static_cast<QApplication *>(QCoreApplication::instance());
    }

    QTemporaryDir xdg;

private slots:
    void initTestCase() {
        qputenv("XDG_CONFIG_HOME", xdg.filePath("config").toUtf8());
        qputenv("XDG_DATA_HOME", xdg.filePath("data").toUtf8());
        qputenv("XDG_DATA_DIRS", xdg.filePath("dirs").toUtf8());
    }

    void unusableFile_endsWithTheErrorReportAndNoWindow_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("error");
        QTest::newRow("missing") << QByteArray("missing") << "53:\n\nImpossibile trovare il file";
        QTest::newRow("not a database") << QByteArray(4096, 'Z') << "26:\n\nfile is not a database";
        QTest::newRow("empty") << QByteArray() << "1:\n\nno such table: System";
    }
    void unusableFile_endsWithTheErrorReportAndNoWindow() {
        QFETCH(QByteArray, content);
        QFETCH(QString, error);
        // State: the program's folder holds no usable settings file.
        DataFileCopy file;
        QFile::remove(file.path());
        if (content != "missing") {
            QFile f(file.path());
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
        }
        // Action: start. Expected: one report naming number, description and file; no window.
        ModalWatch watch;
        QCOMPARE(Main(app(), file.folder()), 1);
        QCOMPARE(watch.seen().size(), 1);
        const ModalWatch::Seen report = watch.seen().first();
        QCOMPARE(report.title, QString::fromLatin1(ErrorReportTitle));
        QVERIFY2(report.text.contains(error) && report.text.contains(file.path()),
                 qPrintable(report.text));
        QCOMPARE(report.otherWindows, QStringList());
        QCOMPARE(QFile::exists(file.path()), content != "missing");
    }

    void settingsFileBesideTheProgram_opensWhateverTheCurrentFolder() {
        // State: the file lies in the program's folder; the current folder is elsewhere.
        DataFileCopy file;
        QTemporaryDir elsewhere;
        QVERIFY(QDir::setCurrent(elsewhere.path()));
        // Action: start, then "Esci" once the main window shows. Expected: status 0.
        ModalWatch watch;
        bool shown = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (qobject_cast<Form1 *>(w) && w->isVisible() && !shown) {
                    shown = true;
                    w->findChild<QPushButton *>(QStringLiteral("cmd_Ok"))->click();
                }
        });
        poll.start(10);
        QCOMPARE(Main(app(), file.folder()), 0);
        QVERIFY(shown);
        QVERIFY2(watch.seen().isEmpty(), qPrintable(watch.describe()));
    }
};

QTEST_MAIN(TstStartup)
#include "tst_startup.moc"
