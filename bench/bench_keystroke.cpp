// SPDX-License-Identifier: GPL-3.0-or-later
// One key in the quantity field, end to end: the key events, both recalculations on the real
// settings file, the panels redrawn, and the window painted and flushed to the screen. Beside
// it the floor (the same key in a bare field in a window, the floor bench_startup uses too)
// and the physical limit (that field at the quantity field's size and six panels whose
// pictures are already drawn, copied to the screen at each key). Run offscreen:
//   build/bench/bench_keystroke -median 15        CPU time a key
//   build/bench/bench_keystroke -callgrind        instructions a key (needs valgrind)

#include "platform/sqlitedatabase.h"
#include "ui/form1.h"
#include "ui/inputnumerico.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <ctime>

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

// A panel whose picture is drawn once: at each key it is only copied to the screen.
class PreDrawnPanel : public QWidget {
public:
    PreDrawnPanel(const QImage &image, QWidget *parent) : QWidget(parent), image_(image) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        resize(image.size());
    }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter painter(this);
        painter.drawImage(0, 0, image_);
    }

private:
    QImage image_;
};

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

    // The floor: the same key in a bare field in a window.
    void floorBareField() {
        QWidget window;
        QLineEdit bare(QStringLiteral("15"), &window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        bool typed = false;
        QBENCHMARK {
            keyAndPaint(&bare, typed);
        }
    }

    // The limit: no key can cost less than its field repainting and the six panels' finished
    // pictures reaching the screen.
    void limitFieldAndSixPreDrawnPanels() {
        QWidget window;
        window.resize(form->size());
        InputNumerico *quantity = field("in_Qta");
        QLineEdit bare(QStringLiteral("15"), &window);
        bare.setGeometry(QRect(quantity->mapTo(form.get(), QPoint()), quantity->size()));
        QImage picture(form->findChild<QWidget *>(QStringLiteral("pic_PdP"))->size(),
                       QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        std::vector<std::unique_ptr<PreDrawnPanel>> panels;
        for (int i = 0; i < 6; ++i) {
            panels.push_back(std::make_unique<PreDrawnPanel>(picture, &window));
            panels.back()->move(10, 60 + 30 * i);
        }
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        bool typed = false;
        QBENCHMARK {
            for (const auto &panel : panels)
                panel->update();
            keyAndPaint(&bare, typed);
        }
    }

    // CPU time a key, the floor's and the program's measured in turn, round after round, so
    // both meet the same machine load; medians of the rounds.
    void floorAndKeyCpuAlternately() {
        QWidget window;
        QLineEdit bare(QStringLiteral("15"), &window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        InputNumerico *quantity = field("in_Qta");
        const auto cpuUs = [] {
            timespec now{};
            clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
            return now.tv_sec * 1e6 + now.tv_nsec / 1e3;
        };
        const auto perKey = [&](QWidget *target) {
            bool typed = false;
            const double start = cpuUs();
            for (int i = 0; i < 64; ++i)
                keyAndPaint(target, typed);
            return (cpuUs() - start) / 64;
        };
        std::vector<double> floor, key;
        for (int round = 0; round < 31; ++round) {
            floor.push_back(perKey(&bare));
            key.push_back(perKey(quantity));
        }
        std::sort(floor.begin(), floor.end());
        std::sort(key.begin(), key.end());
        const double f = floor[floor.size() / 2], k = key[key.size() / 2];
        qInfo("CPU a key (median of 31 rounds of 64): floor %.1f us, Margino %.1f us, ratio %.2f",
              f, k, k / f);
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
