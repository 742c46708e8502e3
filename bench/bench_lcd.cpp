// SPDX-License-Identifier: GPL-3.0-or-later
// Time of one full nine-cell caption: on the bare image canvas, and on the panel widget that
// also schedules its repaint. Run with -median 9 for stable figures.

#include "lcd/imagecanvas.h"
#include "lcd/mclcd.h"
#include "ui/picturepanel.h"

#include <QTest>

using namespace margino;

class BenchLcd : public QObject {
    Q_OBJECT

private slots:
    void nineCellCaptionOnImage() {
        ImageCanvas canvas(QSize(136, 21));
        mcLCD lcd;
        lcd.NewLCD(canvas);
        QBENCHMARK {
            lcd.setCaption(QStringLiteral("-12345,68"));
        }
    }
    void nineCellCaptionOnPanel() {
        PicturePanel panel;
        panel.setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel.setLineWidth(2);
        panel.resize(140, 25);
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        mcLCD lcd;
        lcd.NewLCD(panel);
        QBENCHMARK {
            lcd.setCaption(QStringLiteral("-12345,68"));
            panel.repaint(); // the redraw the window pays once per change
        }
    }
    void nineCellCaptionOnPanelWithoutPaint() {
        PicturePanel panel;
        panel.resize(140, 25);
        mcLCD lcd;
        lcd.NewLCD(panel);
        QBENCHMARK {
            lcd.setCaption(QStringLiteral("-12345,68"));
        }
    }
};

QTEST_MAIN(BenchLcd)
#include "bench_lcd.moc"
