// SPDX-License-Identifier: GPL-3.0-or-later
// The style the program starts with: what it draws itself looks as the desktop style draws it.

#include "ui/artwork.h"
#include "ui/drawnicons.h"
#include "ui/inputnumerico.h"

#include <QApplication>
#include <QGroupBox>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QStyleFactory>
#include <QSvgRenderer>
#include <QTest>
#include <QToolButton>

using namespace margino;

namespace {

// One widget set up alike and drawn in plain Fusion, then in the program's style over Fusion.
template <typename Widget, typename SetUp>
std::pair<QImage, QImage> drawnInFusionAndOurs(SetUp setUp) {
    std::unique_ptr<QStyle> fusion(QStyleFactory::create("fusion"));
    DrawnIconsStyle ours(QStyleFactory::create("fusion"));
    QImage images[2];
    QStyle *styles[2] = {fusion.get(), &ours};
    for (int i = 0; i < 2; ++i) {
        Widget widget;
        widget.setStyle(styles[i]);
        setUp(widget);
        images[i] = widget.grab().toImage();
    }
    return {images[0], images[1]};
}

} // namespace

class TestDrawnIcons : public QObject {
    Q_OBJECT

private slots:
    void groupBoxFrame_looksAsFusionDrawsIt_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("checkable");
        QTest::addColumn<QSize>("size");
        QTest::newRow("titled") << "Risultati" << false << QSize(257, 97);
        QTest::newRow("untitled") << "" << false << QSize(257, 97);
        QTest::newRow("untitled, tall") << "" << false << QSize(177, 145);
        QTest::newRow("untitled, smaller than its corners") << "" << false << QSize(9, 7);
        QTest::newRow("checkable") << "" << true << QSize(257, 97);
    }

    // State: two group boxes of one size, one in plain Fusion, one in the program's style.
    // Action: draw both. Expected: the same pixels.
    void groupBoxFrame_looksAsFusionDrawsIt() {
        QFETCH(QString, title);
        QFETCH(bool, checkable);
        QFETCH(QSize, size);
        const auto [fusion, ours] = drawnInFusionAndOurs<QGroupBox>([&](QGroupBox &box) {
            box.setTitle(title);
            box.setCheckable(checkable);
            box.resize(size);
        });
        QCOMPARE(ours, fusion);
    }

    void shadedPanel_looksAsFusionDrawsIt_data() {
        QTest::addColumn<int>("shadow");
        QTest::addColumn<int>("lineWidth");
        QTest::addColumn<QSize>("size");
        QTest::newRow("sunken, one line") << int(QFrame::Sunken) << 1 << QSize(81, 21);
        QTest::newRow("sunken, two lines") << int(QFrame::Sunken) << 2 << QSize(140, 25);
        QTest::newRow("raised, three lines") << int(QFrame::Raised) << 3 << QSize(30, 9);
        QTest::newRow("no line") << int(QFrame::Sunken) << 0 << QSize(30, 9);
        QTest::newRow("lines wider than the box") << int(QFrame::Raised) << 3 << QSize(7, 5);
        QTest::newRow("plain") << int(QFrame::Plain) << 2 << QSize(30, 9);
    }

    // State: a panel frame, as a figure's or an amount's, in plain Fusion and in the program's
    // style. Action: draw both. Expected: the same pixels.
    void shadedPanel_looksAsFusionDrawsIt() {
        QFETCH(int, shadow);
        QFETCH(int, lineWidth);
        QFETCH(QSize, size);
        const auto [fusion, ours] = drawnInFusionAndOurs<QFrame>([&](QFrame &frame) {
            frame.setFrameStyle(QFrame::Panel | shadow);
            frame.setLineWidth(lineWidth);
            frame.resize(size);
        });
        QCOMPARE(ours, fusion);
    }

    void fieldPanel_looksAsFusionDrawsIt_data() {
        QTest::addColumn<bool>("focused");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("focused") << true << true << false;
        QTest::newRow("unfocused") << false << true << false;
        QTest::newRow("disabled") << false << false << false;
        QTest::newRow("read-only") << true << true << true;
    }

    // State: a field with text, in a window, in plain Fusion, then in the program's style,
    // which copies the panel it drew the first time. Action: draw it twice in each. Expected:
    // the same pixels every time.
    void fieldPanel_looksAsFusionDrawsIt() {
        QFETCH(bool, focused);
        QFETCH(bool, enabled);
        QFETCH(bool, readOnly);
        std::unique_ptr<QStyle> fusion(QStyleFactory::create("fusion"));
        // One for every row: a panel kept in one state must never be shown in another.
        static DrawnIconsStyle ours(QStyleFactory::create("fusion"));
        QList<QImage> images;
        for (QStyle *style : {fusion.get(), static_cast<QStyle *>(&ours)}) {
            QWidget window;
            window.setStyle(style);
            InputNumerico field(&window);
            field.setStyle(style);
            field.setGeometry(8, 8, 73, 21);
            field.setValore(QStringLiteral("1234"));
            field.setEnabled(enabled);
            field.setReadOnly(readOnly);
            QPushButton elsewhere(&window); // takes the focus the field does not
            elsewhere.setGeometry(8, 40, 73, 21);
            window.show();
            QVERIFY(QTest::qWaitForWindowActive(&window));
            (focused ? static_cast<QWidget &>(field) : elsewhere).setFocus();
            QCOMPARE(field.hasFocus(), focused);
            images << window.grab().toImage() << window.grab().toImage();
        }
        for (const QImage &image : images)
            QCOMPARE(image, images.first());
    }

    // State: the program's style. Action: a menu bar too narrow for its commands asks for its
    // overflow button's icon, at one and two device pixels a pixel, enabled and disabled.
    // Expected: the same chevrons in each, twice as large at twice the pixels.
    void menuBarOverflow_showsAnIcon() {
        DrawnIconsStyle ours(QStyleFactory::create("fusion"));
        const QIcon icon = ours.standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
        QVERIFY(!icon.isNull());
        auto drawnSpan = [](const QImage &image) {
            QRect span;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    if (qAlpha(image.pixel(x, y)) > 128)
                        span |= QRect(x, y, 1, 1);
            return span;
        };
        const QRect span = drawnSpan(icon.pixmap(QSize(16, 16), 1.0).toImage());
        QVERIFY(span.width() > 6 && span.height() > 6);
        for (const QIcon::Mode mode : {QIcon::Normal, QIcon::Disabled}) {
            const QImage twice = icon.pixmap(QSize(16, 16), 2.0, mode).toImage();
            QCOMPARE(twice.size(), QSize(32, 32));
            const QRect twiceSpan = drawnSpan(twice);
            QVERIFY2(qAbs(twiceSpan.center().x() - 2 * span.center().x()) <= 1 &&
                         qAbs(twiceSpan.width() - 2 * span.width()) <= 2,
                     qPrintable(QStringLiteral("%1 %2").arg(twiceSpan.width()).arg(span.width())));
        }
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
