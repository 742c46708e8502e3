// SPDX-License-Identifier: GPL-3.0-or-later
// The main window in everyday use: typing at once after start, Ctrl+Q from any window, the
// menus' Alt letters, Esc and Ctrl+Z, the hint line, and the trade kept across a restart.
#include "support/helpfiles.h"
#include "support/mainwindow.h"
#include "ui/frmparametriiniziali.h"
#include "ui/inputnumerico.h"

#include <QAccessible>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextDocumentFragment>

using namespace margino;

class TstEverydayUse : public QObject {
    Q_OBJECT

    std::unique_ptr<MainWindowFixture> w;
    HelpDataHome help;
    QTemporaryDir keep;

    template <typename T = QWidget> T *control(const char *name) const {
        return w->control<T>(name);
    }
    QString value(const char *name) const { return control<InputNumerico>(name)->Valore(); }
    // The help file the build puts beside the program.
    static QString helpText() {
        return QString::fromUtf8(readFile(MARGINO_BIN_DIR "/Margino.hlp"));
    }
    // The window restarted on the state file of this test, as the program starts it.
    void restart(SessionState &session) {
        w->form.reset();
        w->form = std::make_unique<Form1>(w->db, session);
        w->form->show();
        QVERIFY(QTest::qWaitForWindowActive(w->form.get()));
    }

private slots:
    void init() { w = std::make_unique<MainWindowFixture>(); }
    void cleanup() {
        QVERIFY2(w->watch.seen().isEmpty(), qPrintable(w->watch.describe()));
        w.reset();
        QFile::remove(keep.filePath("Margino.ini"));
    }

    void numberTypedOnEsciOrAFigure_goesIntoQuantita_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("expected");
        for (const auto &[row, focus, keys, expected] :
             {std::tuple{"it digits right after start", "cmd_Ok", "250", "250"},
              {"en digits right after start", "cmd_Ok", "250", "250"},
              {"it from a panel", "pic_GP", "7", "7"},
              {"it from an amount", "lab_VndImp", "1.000", "1000"},
              {"it Persian digits", "cmd_Ok", "۱۲", "12"},
              {"it a separator first is refused there", "cmd_Ok", ",5", "5"}}) // no decimals
            QTest::newRow(row) << QString(focus) << QString::fromUtf8(keys) << QString(expected);
    }
    void numberTypedOnEsciOrAFigure_goesIntoQuantita() {
        QFETCH(QString, focus);
        QFETCH(QString, keys);
        QFETCH(QString, expected);
        // State: the window just opened, the focus on "Esci" (or moved to a figure), a
        // quantity already there. Action: type. Expected: the keys replaced the quantity, the
        // focus is in the field, and the program is still running.
        control<InputNumerico>("in_Qta")->setValore("99");
        QCOMPARE(QApplication::focusWidget(), control("cmd_Ok"));
        control(qPrintable(focus))->setFocus();
        for (const QChar c : keys)
            QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown,
                                QString(c), Qt::NoModifier);
        QCOMPARE(value("in_Qta"), expected);
        QCOMPARE(QApplication::focusWidget(), control("in_Qta"));
        QVERIFY(w->form->isVisible());
    }

    void menus_openWithAltAndLettersThatDoNotClash() {
        // State: the window. Expected: each menu-bar entry, and each Strumenti entry, has its
        // own letter; I, S, R and P are left to the tax box and Strumenti's other entries.
        QStringList bar, tools;
        for (QAction *action : w->form->menuBar()->actions())
            bar << QKeySequence::mnemonic(action->text()).toString();
        for (QAction *action : control<QMenu>("toolsMenu")->actions())
            if (!action->isSeparator())
                tools << QKeySequence::mnemonic(action->text()).toString();
        for (const QStringList &letters : {bar, tools}) {
            QVERIFY2(!letters.contains(QString()), qPrintable(letters.join(' ')));
            QCOMPARE(QSet<QString>(letters.begin(), letters.end()).size(), letters.size());
        }
        for (const char *kept : {"Alt+I", "Alt+R", "Alt+P"})
            QVERIFY(!bar.contains(kept));
        QCOMPARE(bar.filter("Alt+S"), QStringList{"Alt+S"}); // Strumenti's
        // Action: Alt and the letter. Expected: the About box and the settings open.
        for (const auto &[key, title] :
             {std::pair{Qt::Key_A, QStringLiteral("About Vellutra")},
              std::pair{Qt::Key_T, QStringLiteral("Parametri iniziali")}}) {
            w->form->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(w->form.get()));
            QTest::keyClick(control("cmd_Ok"), key, Qt::AltModifier);
            QTRY_COMPARE(w->watch.seen().size(), 1);
            QVERIFY2(w->watch.take().first().title.contains(title, Qt::CaseInsensitive),
                     qPrintable(title));
        }
    }

    void escAndAzzera_emptyTheFieldsAndCtrlZBringsThemBack_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("focus");
        QTest::newRow("it Esc in a field") << QString("esc") << QString("in_AcqPzo");
        QTest::newRow("en Esc on Esci") << QString("esc") << QString("cmd_Ok");
        QTest::newRow("it Azzera") << QString("azzera") << QString("in_Qta");
    }
    void escAndAzzera_emptyTheFieldsAndCtrlZBringsThemBack() {
        QFETCH(QString, how);
        QFETCH(QString, focus);
        // State: a whole trade typed, every figure shown.
        w->type("in_Qta", "100");
        w->type("in_AcqPzo", w->local("10,5"));
        w->type("in_VndPzo", "11");
        const QString gainShown = MainWindowFixture::spokenOf(control("pic_GP"));
        QVERIFY(!gainShown.endsWith(QStringLiteral("nessun valore")));
        // Action: Esc (or Azzera). Expected: three empty fields, every figure blank.
        control(qPrintable(focus))->setFocus();
        if (how == "esc")
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        else
            w->form->findChild<QAction *>("clearAction")->trigger();
        for (const char *field : {"in_Qta", "in_AcqPzo", "in_VndPzo"})
            QCOMPARE(value(field), QString());
        for (const char *figure : {"pic_PdP", "pic_GP", "pic_Commissioni"})
            QVERIFY2(MainWindowFixture::spokenOf(control(figure))
                         .endsWith(QStringLiteral("nessun valore")),
                     figure);
        // Action: "5" typed where the focus is, then Ctrl+Z twice. Expected: first the "5"
        // goes, then the trade and its figures come back.
        QTest::keyClicks(QApplication::focusWidget(), "5");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
        for (const char *field : {"in_Qta", "in_AcqPzo", "in_VndPzo"})
            QCOMPARE(value(field), QString());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(value("in_Qta"), QStringLiteral("100"));
        QCOMPARE(value("in_AcqPzo"), w->local("10,5"));
        QCOMPARE(value("in_VndPzo"), QStringLiteral("11"));
        QCOMPARE(MainWindowFixture::spokenOf(control("pic_GP")), gainShown);
    }

    void hint_staysBelowTheFieldsUntilTheTextChanges() {
        // State: an empty purchase price. Action: type "1.234,".
        control("in_AcqPzo")->setFocus();
        QTest::keyClicks(control("in_AcqPzo"), "1.234,");
        // Expected: the hint line names the field and says how the point was read; it covers
        // no control, and stays when the focus moves and time passes.
        auto *line = control<QLabel>("hintLine");
        QCOMPARE(line->text(), QStringLiteral("Prezzo acquisto: Il punto separava le migliaia"));
        QTest::keyClick(control("in_AcqPzo"), Qt::Key_Tab);
        QTest::qWait(50);
        QVERIFY(line->isVisible());
        QCOMPARE(line->text(), QStringLiteral("Prezzo acquisto: Il punto separava le migliaia"));
        const QRect hintArea(line->mapTo(w->form.get(), QPoint()), line->size());
        for (QWidget *widget : w->form->centralWidget()->findChildren<QWidget *>()) {
            const QRect area(widget->mapTo(w->form.get(), QPoint()), widget->size());
            QVERIFY2(!area.intersects(hintArea), qPrintable(widget->objectName()));
        }
        // Action: a key that changes the text. Expected: the hint is gone.
        control("in_AcqPzo")->setFocus();
        QTest::keyClick(control("in_AcqPzo"), Qt::Key_End);
        QTest::keyClick(control("in_AcqPzo"), Qt::Key_0);
        QCOMPARE(line->text(), QString());
    }

    void figures_areAnnouncedAsReadOnlyText_data() {
        QTest::addColumn<QString>("figure");
        QTest::addColumn<QString>("value"); // as written with a comma
        QTest::newRow("it break-even panel") << "pic_PdP"
                                             << "10,059";
        QTest::newRow("en purchase amount") << "lab_AcqImp"
                                            << "1000";
        QTest::newRow("it gain panel") << "pic_GP"
                                       << "";
    }
    void figures_areAnnouncedAsReadOnlyText() {
        QFETCH(QString, figure);
        QFETCH(QString, value);
        // State: a purchase typed (100 at 10), no sale price.
        w->type("in_Qta", "100");
        w->type("in_AcqPzo", "10");
        // Action: ask the figure's accessible interface. Expected: read-only text holding the
        // full value, with the name and explanation the window gave it.
        QWidget *widget = control(qPrintable(figure));
        QAccessibleInterface *spoken = QAccessible::queryAccessibleInterface(widget);
        QVERIFY(spoken);
        QCOMPARE(spoken->role(), QAccessible::EditableText);
        QVERIFY(spoken->state().readOnly);
        QVERIFY(spoken->state().focusable);
        QVERIFY(spoken->text(QAccessible::Name).contains(QStringLiteral(", ")));
        QVERIFY(!spoken->text(QAccessible::Description).isEmpty());
        QAccessibleTextInterface *text = spoken->textInterface();
        QVERIFY(text);
        QCOMPARE(text->text(0, text->characterCount()), w->local(value));
    }

    void zeroQuantity_saysWhatItMustBe() {
        // State: a purchase price. Action: a quantity of 0. Expected: the blank figures say, in
        // the program's one register, what the quantity must be.
        w->type("in_AcqPzo", "10");
        w->type("in_Qta", "0");
        QCOMPARE(MainWindowFixture::descriptionOf(control("pic_PdP")),
                 QStringLiteral("La quantità deve essere maggiore di zero"));
        w->type("in_Qta", "");
        QCOMPARE(MainWindowFixture::descriptionOf(control("pic_PdP")),
                 QStringLiteral("Inserisci la quantità"));
    }

    void settingsWindowHint_staysBelowItsFieldsUntilTheTextChanges() {
        // State: the settings window open (shown, not run modally).
        frmParametriIniziali settings(
            w->db, [] {}, w->form.get());
        settings.show();
        QVERIFY(QTest::qWaitForWindowActive(&settings));
        auto *field = settings.findChild<InputNumerico *>("in_CommMinime");
        auto *line = settings.findChild<QLabel *>("hintLine");
        // Action: a second separator typed. Expected: the hint names the field, lies clear of
        // every other control, and goes when the text changes.
        field->selectAll();
        QTest::keyClicks(field, "1,2,");
        QCOMPARE(line->text(), QStringLiteral("Commissioni Minime: Il numero ha già la virgola"));
        QVERIFY(QRect(QPoint(), settings.size()).contains(line->geometry()));
        for (QWidget *widget : settings.findChildren<QWidget *>())
            if (widget != line && widget->isVisible()) {
                const QRect area(widget->mapTo(&settings, QPoint()), widget->size());
                QVERIFY2(!area.intersects(line->geometry()), qPrintable(widget->objectName()));
            }
        QTest::keyClick(field, Qt::Key_5);
        QCOMPARE(line->text(), QString());
    }

    void help_isReadAsADocumentWithItsHeadings() {
        // State: the help file installed. Action: F1.
        help.putHelpFile();
        QTest::keyClick(control("cmd_Ok"), Qt::Key_F1);
        QWidget *window = HelpDataHome::visibleHelpWindow();
        QVERIFY(window);
        // Expected: assistive technology meets a document whose heading children are the
        // file's headings, in order, each with its level; the paragraphs are children too.
        QAccessibleInterface *document =
            QAccessible::queryAccessibleInterface(window->findChild<QTextBrowser *>());
        QCOMPARE(document->role(), QAccessible::Document);
        QVERIFY(document->state().readOnly);
        QStringList headings;
        int paragraphs = 0;
        for (int i = 0; i < document->childCount(); ++i) {
            QAccessibleInterface *block = document->child(i);
            QCOMPARE(block->parent(), document);
            if (block->role() == QAccessible::Heading)
                headings << block->text(QAccessible::Description).right(1) + ' ' +
                                block->text(QAccessible::Name);
            paragraphs += block->role() == QAccessible::Paragraph;
        }
        QStringList expected;
        static const QRegularExpression heading("<h([1-6])[^>]*>(.*?)</h\\1>",
                                                QRegularExpression::DotMatchesEverythingOption);
        for (const QRegularExpressionMatch &m :
             heading.globalMatch(QString::fromUtf8(readFile(help.appFolder() + "/Margino.hlp"))))
            expected
                << m.captured(1) + ' ' +
                       QTextDocumentFragment::fromHtml(m.captured(2)).toPlainText().simplified();
        QVERIFY(expected.size() >= 3);
        QCOMPARE(headings, expected);
        QVERIFY(paragraphs > expected.size());
        window->close();
        help.removeHelpFile();
    }

    void help_namesOnlyMenuCommandsThatExist() {
        // State: the window and its help file. Expected: every menu command the help names
        // ("Strumenti > Azzera") is on the menu bar, or in the menu it names, by its caption.
        const QString text = helpText();
        static const QRegularExpression command("<span class=\"menu\">(.*?)</span>");
        const auto caption = [](const QAction *action) {
            return QString(action->text()).remove('&').remove(QStringLiteral("…")).trimmed();
        };
        int named = 0;
        for (const QRegularExpressionMatch &m : command.globalMatch(text)) {
            const QStringList path =
                m.captured(1).remove(QStringLiteral("…")).split(QStringLiteral(" &gt; "));
            QList<QAction *> actions = w->form->menuBar()->actions();
            for (const QString &step : path) {
                QAction *found = nullptr;
                for (QAction *action : actions)
                    found = caption(action) == step.trimmed() ? action : found;
                QVERIFY2(found, qPrintable(m.captured(1)));
                actions = found->menu() ? found->menu()->actions() : QList<QAction *>();
            }
            ++named;
        }
        QVERIFY(named >= 6);
    }

    void help_workedExamplesAreTheFiguresTheCalculationGives() {
        // State: the window on the shipped settings. Action: type each example's inputs and
        // copy all results. Expected: every figure the example gives is the copied one.
        static const QRegularExpression table("<table[^>]*id=\"esempio-\\d\"[^>]*>(.*?)</table>",
                                              QRegularExpression::DotMatchesEverythingOption);
        static const QRegularExpression row("<tr><td>(.*?)</td><td>(.*?)</td>");
        const QMap<QString, const char *> inputs{{"Quantità", "in_Qta"},
                                                 {"Prezzo di acquisto", "in_AcqPzo"},
                                                 {"Prezzo di vendita", "in_VndPzo"}};
        int examples = 0;
        for (const QRegularExpressionMatch &t : table.globalMatch(helpText())) {
            QList<std::pair<QString, QString>> figures;
            for (const QRegularExpressionMatch &r : row.globalMatch(t.captured(1))) {
                if (inputs.contains(r.captured(1)))
                    w->type(inputs[r.captured(1)], r.captured(2));
                else
                    figures.append({r.captured(1), r.captured(2)});
            }
            w->form->findChild<QAction *>("copyAllAction")->trigger();
            const QStringList copied = QGuiApplication::clipboard()->text().split('\n');
            QVERIFY(figures.size() >= 8);
            for (const auto &[label, value] : figures) {
                // The label itself, or the label with a rate after it in brackets.
                const QString start = "^" + QRegularExpression::escape(label);
                QStringList lines = copied.filter(QRegularExpression(start + ": "));
                if (lines.isEmpty())
                    lines = copied.filter(QRegularExpression(start + " \\(.*\\): "));
                QVERIFY2(lines.size() == 1, qPrintable(label));
                const QString copiedValue = lines[0].section(": ", 1).section(' ', 0, 0);
                QVERIFY2(copiedValue == value,
                         qPrintable(label + ": help " + value + ", program " + copiedValue));
            }
            ++examples;
        }
        QCOMPARE(examples, 2);
    }

    void copyAll_beforeAnyInput_givesTheSettings_data() {
        QTest::addColumn<int>("unused");
        QTest::newRow("it") << 0;
        QTest::newRow("en") << 0;
    }
    void copyAll_beforeAnyInput_givesTheSettings() {
        // State: the window just opened, nothing typed. Action: Ctrl+Maiusc+C.
        // Expected: the settings lines hold the shipped values; the results are empty; the
        // commission result and the commission rate have labels of their own.
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(control("cmd_Ok"), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
        const QStringList lines = QGuiApplication::clipboard()->text().split('\n');
        for (const QString &line :
             {QString("Quantità: "), QString("Punto di pareggio: "), QString("Commissioni: "),
              w->local("Commissioni (‰): 1,9"), w->local("Commissioni minime (€): 2,95"),
              QString("Capital gain (%): 26"), QString("Stop loss (%): 5"),
              QString("M.M. stop loss (€): 100"), w->local("Imposta sulle transazioni (%): 0,2")})
            QVERIFY2(lines.contains(line), qPrintable(line));
    }

    void keptTrade_comesBackAfterARestart_data() {
        QTest::addColumn<QString>("price"); // as typed
        QTest::newRow("it 10.5 typed") << "10.5";
        QTest::newRow("en 10.5 typed") << "10.5";
    }
    void keptTrade_comesBackAfterARestart() {
        QFETCH(QString, price);
        // State: a run on a state file; a trade typed, the window moved, then closed.
        {
            SessionState session(keep.filePath("Margino.ini"));
            restart(session);
            w->type("in_Qta", "100");
            w->type("in_AcqPzo", price);
            w->type("in_VndPzo", "11");
            w->form->move(w->form->pos() + QPoint(30, 20));
            QVERIFY(w->form->close());
        }
        const QPoint movedTo = w->form->pos();
        const QString gain = MainWindowFixture::spokenOf(control("pic_GP"));
        // Action: start again on the same file. Expected: the trade, its figures, the place.
        SessionState session(keep.filePath("Margino.ini"));
        restart(session);
        QCOMPARE(value("in_Qta"), QStringLiteral("100"));
        QCOMPARE(value("in_AcqPzo"), w->local("10,5"));
        QCOMPARE(value("in_VndPzo"), QStringLiteral("11"));
        QCOMPARE(MainWindowFixture::spokenOf(control("pic_GP")), gain);
        QCOMPARE(w->form->pos(), movedTo);
        QCOMPARE(QApplication::focusWidget(), control("cmd_Ok"));
    }

    void keptTextsAFieldCannotHold_stayOut() {
        // State: a state file whose texts were edited by hand.
        QVERIFY(writeFile(keep.filePath("Margino.ini"),
                          "[trade]\nquantity=12.5\nprice=abc\nsale=123456789\n"));
        // Action: start on it. Expected: no field holds what it could not take.
        SessionState session(keep.filePath("Margino.ini"));
        restart(session);
        for (const char *field : {"in_Qta", "in_AcqPzo", "in_VndPzo"})
            QCOMPARE(value(field), QString());
    }
};

QTEST_MAIN(TstEverydayUse)
#include "tst_everydayuse.moc"
