// SPDX-License-Identifier: GPL-3.0-or-later
// The LCD object through its public operations: strokes and colours on a recording box,
// exact pixels on the real image canvas (copied cells and drawn strokes alike), and its errors.

#include "lcd/imagecanvas.h"
#include "lcd/mclcd.h"
#include "lcd/paneltext.h"
#include "support/recordingcanvas.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>

using namespace margino;

namespace {

// One character per pixel: '.' background, 'o' unlit, '#' lit, '+' caption start colour.
QStringList pixelMap(const QImage &image) {
    QStringList rows;
    for (int y = 0; y < image.height(); ++y) {
        QString row;
        for (int x = 0; x < image.width(); ++x) {
            switch (image.pixel(x, y) & 0xFFFFFF) {
            case 0x003200:
                row += u'.';
                break;
            case 0x005500:
                row += u'o';
                break;
            case 0x00FF00:
                row += u'#';
                break;
            case 0x80FF80:
                row += u'+';
                break;
            default:
                row += u'?';
            }
        }
        rows << row;
    }
    return rows;
}

} // namespace

class TestMcLcd : public QObject {
    Q_OBJECT

private slots:
    void captionFillsCellsRightAligned();
    void overflowReachesTheCaller_data();
    void overflowReachesTheCaller();
    void captionBeforeBindingFails();
    void realCanvasDrawsTheExpectedPixels();
    void panelText_losesOnlyTrailingDecimals_data();
    void panelText_losesOnlyTrailingDecimals();
    void digits_lookLikeSevenSegmentDigits_data();
    void digits_lookLikeSevenSegmentDigits();
    void lettersDrawInTheStartColour_unknownCharactersNothing();
    void keptCells_drawTheSamePixelsAsStrokes_data();
    void keptCells_drawTheSamePixelsAsStrokes();
};

// The pixels of a caption drawn on a box 21 pixels high (nine cells), after another caption if
// one is given.
QStringList drawn(const QString &caption, const QString &before = {}) {
    ImageCanvas canvas(QSize(136, 21));
    mcLCD lcd;
    lcd.NewLCD(canvas);
    if (!before.isNull())
        lcd.setCaption(before);
    lcd.setCaption(caption);
    return pixelMap(canvas.image());
}

// The pixels of cells first to last (0 to 8), from the 2-pixel margin, 15 pixels apart.
QString cells(const QStringList &pixels, int first, int last = 8) {
    QString columns;
    for (const QString &row : pixels)
        columns += row.mid(2 + 15 * first, 15 * (last - first + 1)) + u'|';
    return columns;
}

// State: a box of nine cells. Action: a caption, drawn alone and after a longer one.
// Expected: unlit eights in every cell it leaves free, its own cells at the right, the longer
// one gone; a point drawn as the comma; a letter lit after a comma and unlit after a digit.
void TestMcLcd::captionFillsCellsRightAligned() {
    const QStringList empty = drawn({}), caption = drawn(QStringLiteral("12,5"));
    QCOMPARE(empty, drawn(QStringLiteral("888888888")).replaceInStrings(u"#"_qs, u"o"_qs));
    QCOMPARE(cells(caption, 0, 4), cells(empty, 0, 4));
    QVERIFY(cells(caption, 5).contains(u'#'));
    QCOMPARE(drawn(QStringLiteral("12,5"), QStringLiteral("-99999999")), caption);
    QCOMPARE(drawn(QStringLiteral("1.5")), drawn(QStringLiteral("1,5")));
    const QString afterComma = cells(drawn(QStringLiteral(",E")), 8);
    const QString afterDigit = cells(drawn(QStringLiteral("1E")), 8);
    QVERIFY(afterComma.contains(u'#') && !afterComma.contains(u'+'));
    QVERIFY(!afterDigit.contains(u'#') && !afterDigit.contains(u'+'));
}

void TestMcLcd::overflowReachesTheCaller_data() {
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("strokesDrawn");
    QTest::newRow("cell count below range") << 40000 << false;
    QTest::newRow("cell position past range") << 2200 << true;
}

// State: a bound LCD. Action: a caption far too long for 16-bit geometry.
// Expected: overflow error 6; the box was cleared first; a stopped caption leaves the
// position where it stopped, so the next caption is drawn elsewhere.
void TestMcLcd::overflowReachesTheCaller() {
    QFETCH(int, length);
    QFETCH(bool, strokesDrawn);
    RecordingCanvas box;
    mcLCD lcd;
    lcd.NewLCD(box);
    try {
        lcd.setCaption(QString(length, u'8'));
        QFAIL("no overflow");
    } catch (const RuntimeError &error) {
        QCOMPARE(error.number(), err::Overflow);
    }
    QCOMPARE(box.ops.first().kind, 'C');
    QCOMPARE(!box.lines().isEmpty(), strokesDrawn);

    box.ops.clear();
    try {
        lcd.setCaption(QString());
    } catch (const RuntimeError &) {
        QVERIFY(strokesDrawn); // still far right, so it overflows again
    }
    QCOMPARE(box.lines().first().x1 == 3.0f, !strokesDrawn);
}

void TestMcLcd::captionBeforeBindingFails() {
    mcLCD lcd;
    QVERIFY_THROWS_EXCEPTION(RuntimeError, lcd.setCaption(QStringLiteral("1")));
    QVERIFY_THROWS_EXCEPTION(RuntimeError, lcd.setForeColor(0));
}

// Every pixel of a caption on the real canvas against a picture kept as text.
void TestMcLcd::realCanvasDrawsTheExpectedPixels() {
    ImageCanvas canvas(QSize(136, 21));
    mcLCD lcd;
    lcd.NewLCD(canvas);
    lcd.setForeColor(0x0000FF); // neither colour survives a caption
    lcd.setBackColor(0xFF0000);
    lcd.setCaption(QStringLiteral("E-0,5:7"));
    const QStringList actual = pixelMap(canvas.image());

    QFile file(QStringLiteral(MARGINO_TEST_DATA "/lcd/fixtures/caption.txt"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QStringList expected =
        QString::fromLatin1(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    if (actual != expected)
        qWarning().noquote() << "actual pixels:\n" + actual.join(u'\n');
    QCOMPARE(actual, expected);
}

void TestMcLcd::panelText_losesOnlyTrailingDecimals_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shown");
    const struct {
        const char *name, *locale, *caption, *shown;
    } rows[] = {
        {"fits", "it_IT", "-12,5", "-12,5"},
        {"decimals cut", "it_IT", "12,39261366", "12,392613"},
        {"integer digits kept in exponent form", "it_IT", "190001899998", "1,9E+11"},
        {"en integer digits kept", "en_US", "190001899998", "1.9E+11"},
        {"large loss", "it_IT", "-100189000000000", "-1E+14"},
        {"nine integer digits, decimals cut", "it_IT", "123456789,5", "123456789"},
        {"one digit too many", "it_IT", "-123456789,12", "-1,23E+08"},
        {"exponent kept", "it_IT", "1,23456789012345E-05", "1,235E-05"},
        {"other separator drawn as the point", "fa_IR", "10٫1", "10,1"},
        {"not a number is cut", "it_IT", "ABCDEFGHIJK", "ABCDEFGHI"},
    };
    for (const auto &row : rows)
        QTest::newRow(row.name) << QString(row.locale) << QString::fromUtf8(row.caption)
                                << QString(row.shown);
}

// State: a row of nine cells. Action: fit a result text. Expected: all of it, or a form that
// still reads as the same number: trailing decimals cut, or fewer digits with the exponent.
void TestMcLcd::panelText_losesOnlyTrailingDecimals() {
    QFETCH(QString, locale);
    QFETCH(QString, caption);
    QFETCH(QString, shown);
    QCOMPARE(panelText(caption, 9, QLocale(locale)), shown);
}

void TestMcLcd::digits_lookLikeSevenSegmentDigits_data() {
    QTest::addColumn<QChar>("character");
    QTest::addColumn<QString>("lit"); // the seven segments a (top) to g (middle)
    const char *digits[] = {"abcdef", "bc",     "abdeg", "abcdg",   "bcfg",
                            "acdfg",  "acdefg", "abc",   "abcdefg", "abcdfg"};
    for (int d = 0; d <= 9; ++d)
        QTest::addRow("%d", d) << QChar(u'0' + d) << QString::fromLatin1(digits[d]);
    QTest::newRow("minus") << QChar(u'-') << "g";
}

// State: a box 21 pixels high. Action: a caption of one character. Expected: in the last cell,
// the segments a seven-segment display lights for it are lit, the other of the seven unlit,
// and nothing drawn in the centre column.
void TestMcLcd::digits_lookLikeSevenSegmentDigits() {
    QFETCH(QChar, character);
    QFETCH(QString, lit);
    const QStringList pixels = drawn(QString(character));
    // The last cell is at x = 122, 10 x 15 from y = 2: a point inside each segment.
    const int x = 122, y = 2;
    const struct {
        char name;
        QPoint at;
    } segments[] = {{'a', {x + 3, y + 1}},  {'a', {x + 6, y + 1}},  {'b', {x + 8, y + 4}},
                    {'c', {x + 8, y + 11}}, {'d', {x + 3, y + 14}}, {'d', {x + 6, y + 14}},
                    {'e', {x + 1, y + 11}}, {'f', {x + 1, y + 4}},  {'g', {x + 3, y + 7}},
                    {'g', {x + 6, y + 7}}};
    for (const auto &segment : segments) {
        const QChar expected = lit.contains(QLatin1Char(segment.name)) ? u'#' : u'o';
        QVERIFY2(pixels[segment.at.y()][segment.at.x()] == expected, &segment.name);
    }
    for (int row = y + 3; row < y + 13; ++row)
        if (row != y + 7)
            QCOMPARE(pixels[row][x + 5], u'.');
}

// State: a box 21 pixels high. Action: a caption of one character. Expected: a known letter or
// sign draws in the caption's start colour only; a character outside the table leaves its
// cell dark.
void TestMcLcd::lettersDrawInTheStartColour_unknownCharactersNothing() {
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZbcdhilnortu/\\+*");
    for (const QChar c : letters + QStringLiteral("a%é ")) {
        const QString drawnIn = cells(drawn(QString(c)), 8).remove(u'.').remove(u'|');
        const bool inStartColour = !drawnIn.isEmpty() && drawnIn.count(u'+') == drawnIn.size();
        QVERIFY2(letters.contains(c) ? inStartColour : drawnIn.isEmpty(), qPrintable(QString(c)));
    }
}

namespace {

// Passes every call to an image canvas without being one, so the LCD draws stroke by stroke.
class StrokeBox : public PictureBox {
public:
    explicit StrokeBox(QSize size) : image(size) {}
    ImageCanvas image;
    void setPixelScale() override {}
    void setAutoRedraw(bool) override {}
    float ScaleHeight() const override { return image.ScaleHeight(); }
    void Cls() override { image.Cls(); }
    void setBackColor(OleColor c) override { image.setBackColor(c); }
    void setForeColor(OleColor c) override { image.setForeColor(c); }
    void Line(float a, float b, float c, float d) override { image.Line(a, b, c, d); }
    void Box(float a, float b, float c, float d) override { image.Box(a, b, c, d); }
};

} // namespace

void TestMcLcd::keptCells_drawTheSamePixelsAsStrokes_data() {
    QTest::addColumn<int>("height");
    QTest::addColumn<QString>("caption");
    const QString every = QStringLiteral("0123456789-ABCDEFGHIJKLMNOPQRSTUVWXYZbcdhilnortu/\\+*");
    for (int height : {21, 27, 14, 40}) {
        QTest::addRow("%d every character", height) << height << every;
        for (const char *caption :
             {"", "E-0,5:7", "-1,9E+11", "1:2.3", "::,,", "123456789", "8,a%1", ",E"})
            QTest::addRow("%d %s", height, caption) << height << QString::fromUtf8(caption);
    }
}

// State: two boxes of one size, one an image the LCD copies kept cells into (redrawing only
// the cells that change), one drawn stroke by stroke. Action: the same captions, one after
// another, in each: the row's, then forty of a panel's length drawn at random. Expected: every
// pixel the same, at every height (the point mark's corners fall on half pixels at 27).
void TestMcLcd::keptCells_drawTheSamePixelsAsStrokes() {
    QFETCH(int, height);
    QFETCH(QString, caption);
    const QSize size(1200, height);
    ImageCanvas copied(size);
    StrokeBox drawn(size);
    mcLCD copying, drawing;
    copying.NewLCD(copied);
    drawing.NewLCD(drawn);
    QStringList captions = {caption, QStringLiteral("1"), caption};
    QRandomGenerator random(quint32(height) + quint32(qHash(caption)));
    for (int i = 0; i < 40; ++i) {
        QString text;
        for (int length = random.bounded(10); length > 0; --length)
            text += QStringLiteral("0123456789,.-E+:a ")[random.bounded(18)];
        captions << text;
    }
    for (const QString &text : std::as_const(captions)) {
        copying.setCaption(text);
        drawing.setCaption(text);
        QVERIFY2(copied.image() == drawn.image.image(), qPrintable(text));
    }
    QCOMPARE(pixelMap(copied.image()), pixelMap(drawn.image.image()));
}

QTEST_GUILESS_MAIN(TestMcLcd)
#include "tst_mclcd.moc"
