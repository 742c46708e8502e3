// SPDX-License-Identifier: GPL-3.0-or-later
// One key in the quantity field, end to end: the key events, both recalculations on the real
// settings file, the panels redrawn, and the window painted and flushed to the screen. Beside
// it the floor (the same key in a bare field in a window, the floor bench_startup uses too)
// and the physical limit (that field at the quantity field's size and six panels whose
// pictures are already drawn, copied to the screen at each key). Run offscreen:
//   build/bench/bench_keystroke floorLimitAndKeyCpuAlternately   CPU time a key
//   build/bench/bench_keystroke -callgrind        instructions a key (needs valgrind)

#include "platform/sqlitedatabase.h"
#include "threadcpu.h"
#include "typing.h"
#include "ui/drawnicons.h"
#include "ui/form1.h"
#include "ui/inputnumerico.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <functional>

using namespace margino;

namespace {

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

    // The physical limit's window: a field of the quantity field's size and six panels.
    struct Limit {
        QWidget window;
        QLineEdit field{QStringLiteral("15"), &window};
        std::vector<std::unique_ptr<PreDrawnPanel>> panels;
    };

    std::unique_ptr<Limit> makeLimit() {
        auto limit = std::make_unique<Limit>();
        limit->window.resize(form->size());
        InputNumerico *quantity = field("in_Qta");
        limit->field.setGeometry(QRect(quantity->mapTo(form.get(), QPoint()), quantity->size()));
        QImage picture(form->findChild<QWidget *>(QStringLiteral("pic_PdP"))->size(),
                       QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        for (int i = 0; i < 6; ++i) {
            limit->panels.push_back(std::make_unique<PreDrawnPanel>(picture, &limit->window));
            limit->panels.back()->move(10, 60 + 30 * i);
        }
        limit->window.show();
        return limit;
    }

    static void limitKey(Limit &limit, bool &typed) {
        for (const auto &panel : limit.panels)
            panel->update();
        keyAndPaint(&limit.field, typed);
    }

private slots:
    void initTestCase() {
        QLocale::setDefault(QLocale(QStringLiteral("it_IT")));
        installStyle(); // as the program starts: the floor's field is drawn by the same style
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
        focusForTyping(&bare);
        bool typed = false;
        QBENCHMARK {
            keyAndPaint(&bare, typed);
        }
    }

    // The limit: no key can cost less than its field repainting and the six panels' finished
    // pictures reaching the screen.
    void limitFieldAndSixPreDrawnPanels() {
        const std::unique_ptr<Limit> limit = makeLimit();
        QVERIFY(QTest::qWaitForWindowExposed(&limit->window));
        focusForTyping(&limit->field);
        bool typed = false;
        QBENCHMARK {
            limitKey(*limit, typed);
        }
    }

    // CPU time a key: the floor's, the limit's and the program's measured in turn, round
    // after round, so all three meet the same machine load; medians of the rounds.
    void floorLimitAndKeyCpuAlternately() {
        QWidget window;
        QLineEdit bare(QStringLiteral("15"), &window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const std::unique_ptr<Limit> limit = makeLimit();
        QVERIFY(QTest::qWaitForWindowExposed(&limit->window));
        InputNumerico *quantity = field("in_Qta");
        const auto perKey = [&](QWidget *field, const std::function<void(bool &)> &key) {
            focusForTyping(field);
            bool typed = false;
            const double start = threadCpuMs();
            for (int i = 0; i < 64; ++i)
                key(typed);
            return (threadCpuMs() - start) * 1e3 / 64; // µs
        };
        std::vector<double> floor, physical, key;
        for (int round = 0; round < 31; ++round) {
            floor.push_back(perKey(&bare, [&](bool &typed) { keyAndPaint(&bare, typed); }));
            physical.push_back(
                perKey(&limit->field, [&](bool &typed) { limitKey(*limit, typed); }));
            key.push_back(perKey(quantity, [&](bool &typed) { keyAndPaint(quantity, typed); }));
        }
        const auto median = [](std::vector<double> v) {
            std::sort(v.begin(), v.end());
            return v[v.size() / 2];
        };
        const double f = median(floor), l = median(physical), k = median(key);
        qInfo("CPU a key (medians of 31 rounds of 64): floor %.1f us, limit %.1f us, Margino "
              "%.1f us; Margino / floor %.2f, Margino / limit %.2f",
              f, l, k, k / f, k / l);
    }

    // A quantity key with a sale price present: both sides, six panels, painted and flushed.
    void quantityKeyEndToEnd() {
        InputNumerico *quantity = field("in_Qta");
        focusForTyping(quantity);
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
