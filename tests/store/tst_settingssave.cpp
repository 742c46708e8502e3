// SPDX-License-Identifier: GPL-3.0-or-later
// The settings save without its window, on the real file: what it writes, when it asks, and
// what each answer leaves in the file.
#include "platform/sqlitedatabase.h"
#include "store/settingssave.h"
#include "store/statements.h"
#include "support/datafile.h"

#include <QTest>

using namespace margino;

namespace {

const QStringList Tables{QStringLiteral("System"), QStringLiteral("Settaggi")};
using Answers = QList<SaveAnswer>;

} // namespace

Q_DECLARE_METATYPE(SaveEnd)

class TstSettingsSave : public QObject {
    Q_OBJECT

private slots:
    void save_writesAsksAndEndsAsAnswered_data() {
        QTest::addColumn<QString>("before");    // run by another program before the window opens
        QTest::addColumn<QString>("meanwhile"); // run by it while the window is open
        QTest::addColumn<QString>("typed");     // the commission rate typed; empty: unchanged
        QTest::addColumn<Answers>("answers");   // the user's answers, in turn
        QTest::addColumn<QString>("mend");      // run by another program at the first question
        QTest::addColumn<QString>("asked");     // the questions, "o" other save, "r" refused
        QTest::addColumn<SaveEnd>("end");
        QTest::addColumn<double>("rate"); // the commission rate in the file afterwards
        const QString none, other = QStringLiteral("UPDATE System SET Commissioni = 3");
        const QString refuse = QStringLiteral("ALTER TABLE System RENAME TO Hidden");
        const QString mend = QStringLiteral("ALTER TABLE Hidden RENAME TO System");
        QTest::newRow("unchanged, another program's save kept")
            << none << other << none << Answers{} << none << none << SaveEnd::Recalculate << 3.0;
        QTest::newRow("changed, written") << none << none << u"2,5"_qs << Answers{} << none << none
                                          << SaveEnd::Recalculate << 2.5;
        QTest::newRow("en changed, written") << none << none << u"2.5"_qs << Answers{} << none
                                             << none << SaveEnd::Recalculate << 2.5;
        QTest::newRow("other save, Sovrascrivi")
            << none << other << u"2,5"_qs << Answers{SaveAnswer::Save} << none << u"o"_qs
            << SaveEnd::Recalculate << 2.5;
        QTest::newRow("other save, Tieni gli altri")
            << none << other << u"2,5"_qs << Answers{SaveAnswer::CloseWithoutSaving} << none
            << u"o"_qs << SaveEnd::Recalculate << 3.0;
        QTest::newRow("other save, Annulla")
            << none << other << u"2,5"_qs << Answers{SaveAnswer::BackToWindow} << none << u"o"_qs
            << SaveEnd::Stay << 3.0;
        QTest::newRow("refused, Riprova once mended")
            << none << refuse << u"2,5"_qs << Answers{SaveAnswer::Save} << mend << u"r"_qs
            << SaveEnd::Recalculate << 2.5;
        QTest::newRow("refused, Riprova, then Chiudi senza salvare")
            << none << refuse << u"2,5"_qs
            << Answers{SaveAnswer::Save, SaveAnswer::CloseWithoutSaving} << none << u"rr"_qs
            << SaveEnd::Discard << -1.0;
        QTest::newRow("refused, Annulla")
            << none << refuse << u"2,5"_qs << Answers{SaveAnswer::BackToWindow} << none << u"r"_qs
            << SaveEnd::Stay << -1.0;
        QTest::newRow("file without Tariffa, first save")
            << u"DROP TABLE Tariffa"_qs << none << u"2,5"_qs << Answers{} << none << none
            << SaveEnd::Recalculate << 2.5;
    }
    // State: the window opened on the file (after `before`); another program ran `meanwhile`.
    // Action: the save with the rate typed, the scripted answers. Expected: the questions asked,
    // how the close ends, and the rate in the file; a written save holds every value typed.
    void save_writesAsksAndEndsAsAnswered() {
        QFETCH(QString, before);
        QFETCH(QString, meanwhile);
        QFETCH(QString, typed);
        QFETCH(Answers, answers);
        QFETCH(QString, mend);
        QFETCH(QString, asked);
        QFETCH(SaveEnd, end);
        QFETCH(double, rate);
        const QLocale locale(QByteArray(QTest::currentDataTag()).startsWith("en")
                                 ? QLocale::English
                                 : QLocale::Italian);
        DataFileCopy file;
        SqliteDatabase other(file.path(), {});
        if (!before.isEmpty())
            other.Execute(before);
        SqliteDatabase db(file.path(), Tables);
        const ParameterTexts shown = readParameters(db, locale);
        if (!meanwhile.isEmpty())
            other.Execute(meanwhile);
        ParameterTexts texts = shown;
        if (!typed.isEmpty()) {
            texts[Setting::Commissioni] = typed;
            texts[Setting::TransactionTax] = locale.toString(0.5);
        }

        QString questions;
        QStringList changes;
        const SaveEnd ended =
            saveSettings(db, shown, texts, locale, [&](const SaveQuestion &question) {
                questions += question.kind == SaveQuestion::OtherSave ? u'o' : u'r';
                changes += question.changes;
                if (question.kind == SaveQuestion::Refused && !question.error)
                    qFatal("a refusal without its error");
                if (questions.size() == 1 && !mend.isEmpty())
                    other.Execute(mend);
                return answers.value(questions.size() - 1, SaveAnswer::BackToWindow);
            });

        QCOMPARE(questions, asked);
        QCOMPARE(ended, end);
        if (asked.startsWith(u'o'))
            QCOMPARE(changes, QStringList{"Commissioni: 3 nel file, 2,5 qui"});
        if (rate < 0) { // the table is still hidden: nothing of the save was written
            other.Execute(u"ALTER TABLE Hidden RENAME TO System");
            QCOMPARE(readParameters(db, locale), shown);
            return;
        }
        QCOMPARE(db.OpenRecordset(u"SELECT Commissioni FROM System").number("Commissioni"), rate);
        const ParameterTexts found = readParameters(db, locale);
        if (rate == 2.5)
            QCOMPARE(found, texts);
        QCOMPARE(db.OpenRecordset(statements::SelectTariffExists).number("n"), 1.0);
    }
};

QTEST_GUILESS_MAIN(TstSettingsSave)
#include "tst_settingssave.moc"
