// SPDX-License-Identifier: GPL-3.0-or-later
// Where the settings file is found, on real files: beside the program, the user's copy, a
// first start from the installed template, and no file anywhere.
#include "store/settingslocation.h"
#include "support/datafile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace margino;

class TstSettingsLocation : public QObject {
    Q_OBJECT

    QTemporaryDir root;
    QString program, user, shipped;
    static constexpr QFile::Permissions Everyone =
        QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
        QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther |
        QFile::ExeOther;

    static void put(const QString &folder, const QByteArray &content) {
        QVERIFY(QDir().mkpath(folder) && writeFile(folder + "/DataMg.mgd", content));
    }
    std::optional<SettingsFileError> failureLocating(const QStringList &templates) const {
        try {
            locateSettingsFile(program, user, templates);
        } catch (const SettingsFileError &error) {
            return error;
        }
        return std::nullopt;
    }

private slots:
    void init() {
        QVERIFY(QDir(root.path()).removeRecursively() && QDir().mkpath(root.path()));
        program = root.filePath("prefix/bin");
        shipped = root.filePath("prefix/share/margino");
        user = root.filePath("config/Margino");
        QDir().mkpath(program);
    }

    void firstFileFound_wins_data() {
        QTest::addColumn<QStringList>("holding");
        QTest::addColumn<QString>("expected");
        QTest::newRow("beside the program before all")
            << QStringList{"program", "user", "shipped"} << "program";
        QTest::newRow("user's copy before the template")
            << QStringList{"user", "shipped"} << "user";
    }
    void firstFileFound_wins() {
        QFETCH(QStringList, holding);
        QFETCH(QString, expected);
        // State: each listed folder holds a file naming its folder.
        const QHash<QString, QString> folders{
            {"program", program}, {"user", user}, {"shipped", shipped}};
        for (const QString &name : holding)
            put(folders[name], name.toUtf8());
        // Action: locate. Expected: the first in order, opened where it lies, nothing copied.
        const QString found = locateSettingsFile(program, user, {shipped});
        QCOMPARE(readFile(found), expected.toUtf8());
        QCOMPARE(QDir(user).entryList(QDir::Files | QDir::Hidden).size(),
                 int(holding.contains("user")));
    }

    void firstStart_copiesTheTemplateFromAReadOnlyInstall() {
        // State: a read-only install folder and template; no user folder yet.
        put(shipped, QByteArray(4096, 'T'));
        QFile::setPermissions(shipped + "/DataMg.mgd", QFile::ReadOwner | QFile::ReadOther);
        for (const QString &folder : {shipped, program})
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        // Action: locate, twice. Expected: one whole, owner-writable copy and no temporary left;
        // the second start keeps the copy.
        const QString copy = locateSettingsFile(program, user, {root.filePath("none"), shipped});
        QCOMPARE(copy, user + "/DataMg.mgd");
        QCOMPARE(readFile(copy), QByteArray(4096, 'T'));
        QCOMPARE(QFile::permissions(copy) & Everyone, QFile::ReadOwner | QFile::WriteOwner);
        put(user, "changed by the user");
        QCOMPARE(locateSettingsFile(program, user, {shipped}), copy);
        QCOMPARE(QDir(user).entryList(QDir::Files | QDir::Hidden), QStringList{"DataMg.mgd"});
        QCOMPARE(QDir(program).entryList(QDir::Files), QStringList());
        for (const QString &folder : {shipped, program})
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void noTemplate_reportsEveryPlaceLookedAt() {
        // State: no file anywhere. Action: locate.
        // Expected: error 53 naming the four places in search order; no user folder made.
        const QStringList templates{root.filePath("a/margino"), shipped};
        const std::optional<SettingsFileError> error = failureLocating(templates);
        QCOMPARE(error.value().number(), 53);
        QCOMPARE(error->detail(), "Cercato in:\n" + program + "/DataMg.mgd\n" + user +
                                      "/DataMg.mgd\n" + templates[0] + "/DataMg.mgd\n" + shipped +
                                      "/DataMg.mgd");
        QVERIFY(!QFileInfo::exists(user));
    }

    void obstacleAtTheCopysPlace_isReportedNotWrittenThrough_data() {
        QTest::addColumn<bool>("link");
        QTest::newRow("a file where the user's folder should be made") << false;
        QTest::newRow("a link to a missing file at the copy's name") << true;
    }
    void obstacleAtTheCopysPlace_isReportedNotWrittenThrough() {
        // State: a template and the row's obstacle. Action: locate. Expected: error 75 naming
        // the copy it could not make; nothing created through the link, the link kept, no
        // temporary left.
        QFETCH(bool, link);
        put(shipped, "T");
        const QString victim = root.filePath("elsewhere.mgd");
        if (link)
            QVERIFY(QDir().mkpath(user) && QFile::link(victim, user + "/DataMg.mgd"));
        else
            QVERIFY(QFile(root.filePath("config")).open(QIODevice::WriteOnly));
        const std::optional<SettingsFileError> error = failureLocating({shipped});
        QCOMPARE(error.value().number(), 75);
        QVERIFY2(error->detail().contains(user + "/DataMg.mgd"), qPrintable(error->detail()));
        QVERIFY(!QFileInfo::exists(victim));
        if (link)
            QCOMPARE(QDir(user).entryList(QDir::Files | QDir::Hidden | QDir::System),
                     QStringList{"DataMg.mgd"});
        QCOMPARE(QFileInfo(user + "/DataMg.mgd").symLinkTarget(), link ? victim : QString());
    }

    void anotherStartsCopyMadeMeanwhile_isKeptAndUsed() {
        // State: a template; another start puts its copy in place after this one looked for
        // the user's copy and before it renames its own.
        put(shipped, "template");
        beforePlacingCopy = [this] { put(user, "the other start's copy"); };
        // Action: locate. Expected: the other copy, whole and used; no temporary left.
        const QString found = locateSettingsFile(program, user, {shipped});
        beforePlacingCopy = nullptr;
        QCOMPARE(found, user + "/DataMg.mgd");
        QCOMPARE(readFile(found), QByteArray("the other start's copy"));
        QCOMPARE(QDir(user).entryList(QDir::Files | QDir::Hidden), QStringList{"DataMg.mgd"});
    }

    void relativeXdgFolders_areIgnored() {
        // State: relative XDG home folders and one relative data folder among absolute ones.
        qputenv("XDG_CONFIG_HOME", "config");
        qputenv("XDG_DATA_HOME", "./data");
        qputenv("XDG_DATA_DIRS", "share:/usr/share");
        // Action: the user's folder and the data folders. Expected: the home defaults in
        // place of the relative ones, the relative data folder left out, the XDG folders'
        // "margino" before the program prefix's own.
        QCOMPARE(userSettingsFolder(), QDir::homePath() + "/.config/Margino");
        QCOMPARE(installedDataFolders("/opt/m/bin"),
                 QStringList({QDir::homePath() + "/.local/share/margino", "/usr/share/margino",
                              "/opt/m/share/margino"}));
        qputenv("XDG_CONFIG_HOME", root.filePath("xdg").toUtf8());
        QCOMPARE(userSettingsFolder(), root.filePath("xdg") + "/Margino");
    }
};

QTEST_GUILESS_MAIN(TstSettingsLocation)
#include "tst_settingslocation.moc"
