// SPDX-License-Identifier: GPL-3.0-or-later
// The style the program starts with: what it draws itself looks as the desktop style draws it.

#include "ui/artwork.h"
#include "ui/drawnicons.h"

#include <QApplication>
#include <QGroupBox>
#include <QMenuBar>
#include <QPainter>
#include <QStyleFactory>
#include <QSvgRenderer>
#include <QTest>
#include <QToolButton>

using namespace margino;

class TestDrawnIcons : public QObject {
    Q_OBJECT

private slots:
    void groupBoxFrame_looksAsFusionDrawsIt_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("checkable");
        QTest::newRow("titled") << "Risultati" << false;
        QTest::newRow("untitled") << "" << false;
        QTest::newRow("checkable") << "" << true;
    }

    // State: two group boxes of one size, one in plain Fusion, one in the program's style.
    // Action: draw both. Expected: the same pixels.
    void groupBoxFrame_looksAsFusionDrawsIt() {
        QFETCH(QString, title);
        QFETCH(bool, checkable);
        std::unique_ptr<QStyle> fusion(QStyleFactory::create("fusion"));
        DrawnIconsStyle ours(QStyleFactory::create("fusion"));
        QImage images[2];
        QStyle *styles[2] = {fusion.get(), &ours};
        for (int i = 0; i < 2; ++i) {
            QGroupBox box(title);
            box.setCheckable(checkable);
            box.setStyle(styles[i]);
            box.resize(257, 97);
            images[i] = box.grab().toImage();
        }
        QCOMPARE(images[1], images[0]);
    }

    // State: the program's style. Action: a menu bar too narrow for its commands. Expected: its
    // overflow button shows an icon.
    void menuBarOverflow_showsAnIcon() {
        DrawnIconsStyle ours(QStyleFactory::create("fusion"));
        const QIcon icon = ours.standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
        QVERIFY(!icon.isNull());
        const QImage image = icon.pixmap(16, 16).toImage();
        int drawn = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                drawn += qAlpha(image.pixel(x, y)) > 128;
        QVERIFY(drawn > 10);
    }

    // State: a screen at 1x. Action: the pictures shown at start, which the build stored as
    // pixels. Expected: the pixels of their vector files drawn here.
    void startPictures_areTheirVectorFilesDrawn() {
        const std::pair<QString, QImage> pictures[] = {
            {"calculator", calculatorPicture().toImage()},
            {"margino-icon", windowIcon32().pixmap(32, 32).toImage()}};
        for (const auto &[name, shown] : pictures) {
            QImage drawn(shown.size(), QImage::Format_ARGB32_Premultiplied);
            drawn.fill(Qt::transparent);
            QPainter painter(&drawn);
            QSvgRenderer(QStringLiteral(":/images/%1.svg").arg(name)).render(&painter);
            painter.end();
            QCOMPARE(shown.convertToFormat(QImage::Format_ARGB32_Premultiplied), drawn);
        }
    }
};

QTEST_MAIN(TestDrawnIcons)
#include "tst_drawnicons.moc"
