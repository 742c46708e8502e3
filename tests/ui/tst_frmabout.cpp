// SPDX-License-Identifier: GPL-3.0-or-later
// The About box as a user meets it: the roll it shows, how it closes, what "System Info.." does
// on this desktop.
#include "support/modalwatch.h"
#include "ui/creditsview.h"
#include "ui/fonts.h"
#include "ui/frmabout.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

using namespace margino;

class TstFrmAbout : public QObject {
    Q_OBJECT

    std::unique_ptr<ModalWatch> watch;
    std::unique_ptr<FrmAbout> about;

    // The credits area the banner and the panel leave in view.
    static constexpr QRect RollShown{57, 0, 216, 160};

    QImage onScreen() const {
        return about->screen()
            ->grabWindow(about->winId(), RollShown.x(), RollShown.y(), RollShown.width(),
                         RollShown.height())
            .toImage();
    }

    // A window of the About box's size, black as it turns when the roll starts, or another
    // ground.
    static void paintBlack(QWidget &window, QColor ground = Qt::black) {
        window.setFixedSize(281, 313);
        QPalette black = window.palette();
        black.setColor(QPalette::Window, ground);
        window.setPalette(black);
    }
    // The roll drawn as labels would draw it: each line a label spanning the credits area in the
    // line's bold font, centred at the top, white until the roll fades it.
    static QImage labelsAsRollSays(const CreditsRoll &roll, const QStringList &texts,
                                   QColor ground) {
        QWidget window;
        paintBlack(window, ground);
        for (int i = 0; i <= CreditsRoll::LastLine; ++i) {
            const RollLine &line = roll.lines()[i];
            auto *label = new QLabel(texts[i], &window);
            label->setFont(layoutFont("MS Sans Serif", 12, true));
            label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
            label->setGeometry(56, line.box.top(), 217, line.box.height());
            const auto [r, g, b] = line.color.value_or(RollColor{255, 255, 255});
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, QColor(r, g, b));
            label->setPalette(palette);
        }
        return window.grab(RollShown).toImage();
    }
    // The folder is the program folder and the only search path: "sh", on every $PATH, is
    // found only by a search of other folders.
    bool open(const QString &f = {}) {
        about = std::make_unique<FrmAbout>(nullptr, SystemInfoTools{{"sh", "kinfocenter"}, {f}, f});
        about->show();
        return QTest::qWaitForWindowActive(about.get());
    }

private slots:
    void initTestCase() { QLocale::setDefault(QLocale("it_IT")); }
    void init() { watch = std::make_unique<ModalWatch>(); }
    void cleanup() { QVERIFY2(watch->seen().isEmpty(), qPrintable(watch->describe())); }

    void roll_eachTickShowsTheLinesWhereAndInTheColourTheRollSays_data() {
        QTest::addColumn<QColor>("ground");
        QTest::newRow("black: kept ink") << QColor(Qt::black);
        QTest::newRow("grey: drawn by the painter") << QColor(40, 40, 40);
    }
    void roll_eachTickShowsTheLinesWhereAndInTheColourTheRollSays() {
        // State: a roll view placed as in the About box, one line blank, one whose glyphs
        // overlap; on black, then on grey. Action: tick, past one full turn. Expected: the
        // view's pixels at each tick are those of plain labels standing and coloured as the
        // roll says.
        QFETCH(QColor, ground);
        CreditsRoll roll;
        roll.load(QRect(56, 0, 217, 161), QSize(153, 20));
        std::array<QString, CreditsRoll::LastLine + 1> texts;
        for (int i = 0; i < CreditsRoll::LastLine; ++i)
            texts[i] = i == 4 ? QString() : QStringLiteral("Riga %1 di prova").arg(i);
        texts[6] = QStringLiteral("AVVAWAY Tyffi");
        QWidget window;
        paintBlack(window, ground);
        CreditsView view(roll, QRect(56, 0, 217, 161), &window);
        view.setFont(layoutFont("MS Sans Serif", 12, true));
        view.setGeometry(RollShown);
        view.setTexts(texts);
        for (int ticks = 0; ticks <= 200; ++ticks) {
            QCOMPARE(view.grab().toImage().convertToFormat(QImage::Format_RGB32),
                     labelsAsRollSays(roll, QStringList(texts.begin(), texts.end()), ground)
                         .convertToFormat(QImage::Format_RGB32));
            roll.tick();
            view.rollMoved();
        }
    }

    void buttons_onlyOkOrTheCloseBoxCloseAndSystemInfoStartsTheToolOrSaysSo_data() {
        QTest::addColumn<QString>("name"); // of a link in the folder, to a program or a file
        QTest::addColumn<bool>("message"); // the link is to a data file, which cannot run
        QTest::addColumn<bool>("closes");
        QTest::newRow("OK") << "notes" << false << true;
        QTest::newRow("close box") << "notes" << false << true;
        QTest::newRow("Escape and Enter where the focus starts") << "notes" << false << false;
        QTest::newRow("System Info.., on the search path") << "kinfocenter" << false << false;
        QTest::newRow("System Info.., tool in the folder") << "margino-sysinfo" << false << false;
        QTest::newRow("System Info.., tool that cannot run") << "margino-sysinfo" << true << false;
    }
    void buttons_onlyOkOrTheCloseBoxCloseAndSystemInfoStartsTheToolOrSaysSo() {
        // State: shown, a link in the folder. Action: the row's. Expected: only OK and the
        // close box close; "System Info.." starts the program or shows the one message, and
        // the window stays open with the roll moving on the screen.
        QFETCH(QString, name);
        QFETCH(bool, message);
        QFETCH(bool, closes);
        QTemporaryDir folder;
        QVERIFY(QFile::link(message ? MARGINO_DATA_FILE : "/bin/true", folder.filePath(name)));
        QVERIFY(open(folder.path()));
        const QByteArray how = QTest::currentDataTag();
        if (how == "OK")
            QTest::mouseClick(about->findChild<QPushButton *>("cmd_Ok"), Qt::LeftButton);
        else if (how == "close box")
            about->close();
        else if (how.startsWith("System Info.."))
            QTest::mouseClick(about->findChild<QPushButton *>("cmd_SystemInfo"), Qt::LeftButton);
        else
            QTest::keySequence(about.get(), QKeySequence(Qt::Key_Escape, Qt::Key_Return));
        QCOMPARE(watch->take().size(), int(message));
        QCOMPARE(about->isVisible(), !closes);
        if (closes)
            return;
        const QImage shown = onScreen(); // what the screen shows, so only a repaint changes it
        QTRY_VERIFY(onScreen() != shown);
    }

    void notice_namesTheLicenceAndTheVersionWithinItsBox() {
        // State: the About box open. Expected: the notice gives the version and the licence,
        // each line within its label, the label clear of the name and the web notice above
        // and below it.
        QVERIFY(open());
        auto *notice = about->findChild<QLabel *>("Label3");
        QVERIFY(notice->text().contains(MARGINO_VERSION) && notice->text().contains("GPL"));
        const QFontMetrics metrics = notice->fontMetrics();
        for (const QString &text : notice->text().split('\n'))
            QVERIFY2(metrics.horizontalAdvance(text) <= notice->width(), qPrintable(text));
        QVERIFY(2 * metrics.height() <= notice->height());
        for (const char *other : {"Label1", "Label4"})
            QVERIFY2(!about->findChild<QLabel *>(other)->geometry().intersects(notice->geometry()),
                     other);
    }
};

QTEST_MAIN(TstFrmAbout)
#include "tst_frmabout.moc"
