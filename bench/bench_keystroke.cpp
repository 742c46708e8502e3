// SPDX-License-Identifier: GPL-3.0-or-later
// One key in the quantity field, end to end: the key events, both recalculations on the real
// settings file, the panels redrawn, and the window painted and flushed to the screen. The
// floor is the same key in a bare QLineEdit window. Run: build/bench/bench_keystroke -median 9
// (offscreen); for instruction counts run it under valgrind --tool=callgrind.

#include "platform/sqlitedatabase.h"
#include "ui/form1.h"
#include "ui/inputnumerico.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

using namespace margino;

namespace {

// Types a digit or takes it back, so every key changes the text, then lets the window paint
// and flush what changed.
void keyAndPaint(QWidget *field, bool &typed) {
    typed = !typed;
    if (typed)
        QTest::keyClick(field, Qt::Key_1);
    else
        QTest::keyClick(field, Qt::Key_Backspace);
    QApplication::processEvents();
}

} // namespace

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
        field("in_Qta")->setValore(QStringLiteral("15"));
        field("in_AcqPzo")->setValore(QStringLiteral("12,34"));
        field("in_VndPzo")->setValore(QStringLiteral("13,21"));
        QApplication::processEvents();
    }

    // The floor: the cheapest Qt window that takes the same key.
    void floorBareLineEdit() {
        QLineEdit bare(QStringLiteral("15"));
        bare.show();
        QVERIFY(QTest::qWaitForWindowExposed(&bare));
        bool typed = false;
        QBENCHMARK {
            keyAndPaint(&bare, typed);
        }
    }

    // A quantity key with a sale price present: both sides, six panels, painted and flushed.
    void quantityKeyEndToEnd() {
        InputNumerico *quantity = field("in_Qta");
        quantity->setFocus();
        bool typed = false;
        QBENCHMARK {
            keyAndPaint(quantity, typed);
        }
    }

    // The calculation alone, as the window runs it at that key.
    void quantityKeyRecalculationOnly() {
        InputNumerico *quantity = field("in_Qta");
        int i = 0;
        QBENCHMARK {
            quantity->setValore(++i % 2 ? QStringLiteral("150") : QStringLiteral("151"));
        }
    }
};

QTEST_MAIN(BenchKeystroke)
#include "bench_keystroke.moc"
