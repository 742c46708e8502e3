// SPDX-License-Identifier: GPL-3.0-or-later
// Heap growth per key: the same keys in a bare QLineEdit (its undo history grows with every
// accepted edit), in a lone numeric field and in the main window's quantity field, where each
// key also recalculates, repaints the panels and updates tooltips.
// Run: QT_QPA_PLATFORM=offscreen build/bench/bench_memory [keys [pattern]]

#include "platform/sqlitedatabase.h"
#include "ui/form1.h"
#include "ui/inputnumerico.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <malloc.h>

using namespace margino;

namespace {

long heapInUse() {
    malloc_trim(0);
    const struct mallinfo2 info = mallinfo2();
    return long(info.uordblks + info.hblkhd); // small blocks and mapped ones
}

// One key of a pattern, the i-th.
using Pattern = void (*)(QWidget *, int);
void digitAndBackspace(QWidget *w, int i) {
    QTest::keyClick(w, i % 2 ? Qt::Key_Backspace : Qt::Key_1);
}
void selectAllAndADigit(QWidget *w, int i) {
    if (i % 2)
        QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
    else
        QTest::keyClick(w, Qt::Key(Qt::Key_1 + (i / 2) % 9));
}
// A new number each time, so every result differs from all before it: a cache keyed by a
// text or a figure would grow here.
void newNumbers(QWidget *w, int i) {
    if (i % 7 == 0)
        QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
    else
        QTest::keyClick(w, Qt::Key(Qt::Key_1 + (i * 7919 / 7 + i % 7 * 3) % 9));
}
void refusedLetter(QWidget *w, int) {
    QTest::keyClick(w, Qt::Key_Q);
}

// Bytes a key leaves on the heap in `field`.
double growthPerKey(QLineEdit *field, Pattern pattern, int keys) {
    field->setFocus();
    for (int i = 0; i < 200; ++i) // caches filled, first allocations done
        pattern(field, i);
    QApplication::processEvents();
    const long before = heapInUse();
    for (int i = 0; i < keys; ++i) {
        pattern(field, i);
        QApplication::processEvents(); // painted at every key, as the event loop does
    }
    QApplication::processEvents();
    return double(heapInUse() - before) / keys;
}

} // namespace

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    const int keys = argc > 1 ? std::atoi(argv[1]) : 30000;
    QLocale::setDefault(QLocale(QStringLiteral("it_IT")));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("DataMg.mgd"));
    QFile::copy(QStringLiteral(MARGINO_DATA_FILE), path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    SqliteDatabase db(path, {QStringLiteral("System"), QStringLiteral("Settaggi")});

    const std::pair<const char *, Pattern> patterns[] = {{"digit, backspace", digitAndBackspace},
                                                         {"select all, digit", selectAllAndADigit},
                                                         {"new numbers", newNumbers},
                                                         {"refused letter", refusedLetter}};
    for (const auto &[name, pattern] : patterns) {
        if (argc > 2 && qstrcmp(argv[2], name) != 0)
            continue;
        double bare = 0, lone = 0, window = 0;
        {
            QLineEdit field(QStringLiteral("15"));
            field.show();
            bare = growthPerKey(&field, pattern, keys);
        }
        {
            InputNumerico field;
            field.setNumerointeri(9);
            field.setValore(QStringLiteral("15"));
            field.show();
            lone = growthPerKey(&field, pattern, keys);
        }
        {
            Form1 form(db);
            form.show();
            const auto field = [&form](const char *name) {
                return form.findChild<InputNumerico *>(QString::fromLatin1(name));
            };
            field("in_AcqPzo")->setValore(QStringLiteral("12,34"));
            field("in_VndPzo")->setValore(QStringLiteral("13,21"));
            field("in_Qta")->setValore(QStringLiteral("15"));
            window = growthPerKey(field("in_Qta"), pattern, keys);
        }
        std::printf("%-18s bytes a key: bare QLineEdit %6.1f, InputNumerico %6.1f, main window "
                    "quantity %6.1f (%d keys)\n",
                    name, bare, lone, window, keys);
    }
    return 0;
}
