// SPDX-License-Identifier: GPL-3.0-or-later
// The main window in everyday use: typing at once after start, the menus' Alt letters, Esc and
// Ctrl+Z, the hint lines, the help, and the trade kept across a restart.
#include "support/helpfiles.h"
#include "support/mainwindow.h"
#include "ui/frmabout.h"
#include "ui/frmparametriiniziali.h"
#include "ui/inputnumerico.h"

#include <QAccessible>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
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
             {std::pair{Qt::Key_A, "About Vellutra"}, std::pair{Qt::Key_T, "Parametri iniziali"}}) {
            w->form->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(w->form.get()));
            QTest::keyClick(control("cmd_Ok"), key, Qt::AltModifier);
            QTRY_COMPARE(w->watch.seen().size(), 1);
            QVERIFY2(w->watch.take().first().title.contains(title, Qt::CaseInsensitive),
                     qPrintable(title));
        }
        // None kept, so that the next About starts its roll afresh.
        QVERIFY(w->form->findChildren<FrmAbout *>().isEmpty());
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
        QVERIFY(!gainShown.endsWith("nessun valore"));
        // Action: Esc (or Azzera). Expected: three empty fields, every figure blank.
        control(qPrintable(focus))->setFocus();
        if (how == "esc")
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        else
            w->form->findChild<QAction *>("clearAction")->trigger();
        for (const char *field : {"in_Qta", "in_AcqPzo", "in_VndPzo"})
            QCOMPARE(value(field), QString());
        for (const char *figure : {"pic_PdP", "pic_GP", "pic_Commissioni"})
            QVERIFY2(MainWindowFixture::spokenOf(control(figure)).endsWith("nessun valore"),
                     figure);
        // Action: "5" typed where the focus is, then Ctrl+Z twice. Expected: first the "5"
        // goes, then the trade and its figures come back.
        QTest::keyClicks(QApplication::focusWidget(), "5");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
        for (const char *field : {"in_Qta", "in_AcqPzo", "in_VndPzo"})
            QCOMPARE(value(field), QString());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(value("in_Qta"), "100");
        QCOMPARE(value("in_AcqPzo"), w->local("10,5"));
        QCOMPARE(value("in_VndPzo"), "11");
        QCOMPARE(MainWindowFixture::spokenOf(control("pic_GP")), gainShown);
    }

    void hint_staysBelowTheFieldsUntilTheTextChanges_data() {
        QTest::addColumn<bool>("settings"); // the settings window, else the main one
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("hint");
        QTest::newRow("purchase price") << false << "1.234,"
                                        << "Prezzo acquisto: Il punto separava le migliaia";
        QTest::newRow("settings window") << true << "1,2,"
                                         << "Commissioni Minime: Il numero ha già la virgola";
    }
    void hint_staysBelowTheFieldsUntilTheTextChanges() {
        QFETCH(bool, settings);
        QFETCH(QString, keys);
        // State: an empty purchase price, or the settings window open (shown, not run modally).
        frmParametriIniziali other(
            w->db, [] {}, w->form.get());
        QWidget *window = w->form.get();
        if (settings) {
            other.show();
            QVERIFY(QTest::qWaitForWindowActive(window = &other));
        }
        auto *field = child<InputNumerico>(window, settings ? "in_CommMinime" : "in_AcqPzo");
        auto *line = child<QLabel>(window, "hintLine");
        // Action: the keys, then Tab. Expected: the hint line names the field and says how the
        // text was read; it stays when the focus moves and time passes, clear of every control.
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, keys);
        QTest::keyClick(field, Qt::Key_Tab);
        QTest::qWait(50);
        QTEST(line->text(), "hint");
        const QRect hintArea(line->mapTo(window, QPoint()), line->size());
        QVERIFY(window->rect().contains(hintArea));
        for (QWidget *widget : window->findChildren<QWidget *>()) {
            const QRect area(widget->mapTo(window, QPoint()), widget->size());
            QVERIFY2(widget == line || widget->isAncestorOf(line) || !widget->isVisible() ||
                         !area.intersects(hintArea),
                     qPrintable(widget->objectName()));
        }
        // Action: a key that changes the text. Expected: the hint is gone.
        field->setFocus();
        QTest::keyClick(field, Qt::Key_End);
        QTest::keyClick(field, Qt::Key_5);
        QCOMPARE(line->text(), QString());
    }

    void figures_areAnnouncedAsReadOnlyText() {
        // State: a purchase typed (100 at 10), no sale price.
        w->type("in_Qta", "100");
        w->type("in_AcqPzo", "10");
        // Action: ask a panel's, an amount's and a blank panel's accessible interface.
        // Expected: read-only text holding the full value, with the name and explanation the
        // window gave it.
        for (const auto &[figure, value] :
             {std::pair{"pic_PdP", "10,059"}, {"lab_AcqImp", "1000"}, {"pic_GP", ""}}) {
            QAccessibleInterface *spoken = QAccessible::queryAccessibleInterface(control(figure));
            QVERIFY(spoken);
            QCOMPARE(spoken->role(), QAccessible::EditableText);
            QVERIFY(spoken->state().readOnly && spoken->state().focusable);
            QVERIFY(spoken->text(QAccessible::Name).contains(", "));
            QVERIFY(!spoken->text(QAccessible::Description).isEmpty());
            QAccessibleTextInterface *text = spoken->textInterface();
            QVERIFY(text);
            QCOMPARE(text->text(0, text->characterCount()), QString::fromUtf8(value));
        }
    }

    void help_opensAtItsTopAsADocumentWithItsHeadings() {
        // State: Margino.hlp in the application's data folder, not beside the program. Action:
        // the Help command.
        help.putHelpFile();
        w->form->findChild<QAction *>("mnu_Help")->trigger();
        QWidget *window = HelpDataHome::visibleHelpWindow();
        QVERIFY(window);
        // Expected: the help at its top; assistive technology meets a document whose heading
        // children are the file's headings, in order, each with its level, among paragraphs.
        auto *browser = window->findChild<QTextBrowser *>();
        QCOMPARE(browser->documentTitle(), "Margino - Guida");
        QCOMPARE(browser->verticalScrollBar()->value(), 0);
        QAccessibleInterface *document = QAccessible::queryAccessibleInterface(browser);
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
        // Action: F1 in a field. Expected: the help again.
        QTest::keyClick(control("in_Qta"), Qt::Key_F1);
        QVERIFY(HelpDataHome::visibleHelpWindow());
        HelpDataHome::visibleHelpWindow()->close();
        help.removeHelpFile();
    }

    void help_namesOnlyMenuCommandsThatExist() {
        // State: the window and its help file. Expected: every menu command the help names
        // ("Strumenti > Azzera") is on the menu bar, or in the menu it names, by its caption.
        const QString text = helpText();
        static const QRegularExpression command("<span class=\"menu\">(.*?)</span>");
        const auto caption = [](const QAction *action) {
            return QString(action->text()).remove('&').remove("…").trimmed();
        };
        int named = 0;
        for (const QRegularExpressionMatch &m : command.globalMatch(text)) {
            const QStringList path = m.captured(1).remove("…").split(" &gt; ");
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
        QCOMPARE(value("in_Qta"), "100");
        QCOMPARE(value("in_AcqPzo"), w->local("10,5"));
        QCOMPARE(value("in_VndPzo"), "11");
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
