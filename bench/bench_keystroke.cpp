// One keystroke's whole work on the real settings file: the queries, the arithmetic, the
// conversions and the six panels redrawn. Run: build/bench/bench_keystroke -median 9
// (offscreen); for an instruction count run it under valgrind --tool=callgrind.

#include "calc/form1.h"
#include "platform/sqlitedatabase.h"
#include "widgets/inputnumerico.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace margino;

class BenchKeystroke : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<SqliteDatabase> db;
    std::unique_ptr<Form1> form;

    InputNumerico *field(const char *name) {
        return form->findChild<InputNumerico *>(QString::fromLatin1(name));
    }

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QStringLiteral("it_IT")));
        const QString path = dir.filePath(QStringLiteral("DataMg.mgd"));
        QVERIFY(QFile::copy(QStringLiteral(MARGINO_DATA_FILE), path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        db = std::make_unique<SqliteDatabase>(
            path, QStringList{QStringLiteral("System"), QStringLiteral("Settaggi")});
        form = std::make_unique<Form1>(*db);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        field("in_AcqPzo")->setValore(QStringLiteral("12,34"));
        field("in_VndPzo")->setValore(QStringLiteral("13,21"));
    }

    // A quantity key: both sides recomputed, all six panels redrawn.
    void quantityKeyRedrawsSixPanels() {
        InputNumerico *quantity = field("in_Qta");
        int i = 0;
        QBENCHMARK {
            quantity->setValore(++i % 2 ? QStringLiteral("150") : QStringLiteral("151"));
        }
    }

    // The same, with the window painting what changed, as the event loop will.
    void quantityKeyWithPaint() {
        InputNumerico *quantity = field("in_Qta");
        int i = 0;
        QBENCHMARK {
            quantity->setValore(++i % 2 ? QStringLiteral("150") : QStringLiteral("151"));
            form->repaint();
        }
    }
};

QTEST_MAIN(BenchKeystroke)
#include "bench_keystroke.moc"
