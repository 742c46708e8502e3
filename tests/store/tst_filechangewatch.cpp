// SPDX-License-Identifier: GPL-3.0-or-later
// The change watch that spares a key the settings file's lock: every write that can change what
// the file holds must be reported, and only those.
#include "platform/filechangewatch.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace margino;

class TstFileChangeWatch : public QObject {
    Q_OBJECT

    static void write(const QString &path, const QByteArray &bytes) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::Append));
        file.write(bytes);
    }

    // A settings file in a folder of its own for each test, watched and asked once.
    std::unique_ptr<QTemporaryDir> dir;
    QString file;
    std::unique_ptr<FileChangeWatch> watch;
    void watchAFile() {
        write(file, "settings");
        watch = std::make_unique<FileChangeWatch>(file);
        if (!watch->watching())
            QSKIP("the temporary folder's file system sends no trusted notices");
        QVERIFY(watch->mayHaveChanged()); // nothing has been read yet
    }

private slots:
    void init() {
        dir = std::make_unique<QTemporaryDir>();
        file = dir->filePath(QStringLiteral("DataMg.mgd"));
    }
    void writes_areReportedWhenTheyConcernTheFile_data() {
        QTest::addColumn<QString>("touched");
        QTest::addColumn<bool>("reported");
        QTest::newRow("the file written") << "DataMg.mgd" << true;
        QTest::newRow("its rollback journal") << "DataMg.mgd-journal" << true;
        QTest::newRow("its write-ahead log") << "DataMg.mgd-wal" << true;
        QTest::newRow("another file in the folder") << "Registro.sqlite" << false;
        QTest::newRow("a file whose name begins alike") << "DataMg.mgd.bak" << false;
    }
    // State: a watched settings file, asked once. Action: a file in its folder is written.
    // Expected: reported exactly when it is the file or one of its journals; then quiet again.
    void writes_areReportedWhenTheyConcernTheFile() {
        QFETCH(QString, touched);
        QFETCH(bool, reported);
        watchAFile();
        QVERIFY(!watch->mayHaveChanged());
        write(dir->filePath(touched), "x");
        QCOMPARE(watch->mayHaveChanged(), reported);
        QVERIFY(!watch->mayHaveChanged());
    }

    // State: a watched settings file, asked once. Action: a copy is renamed over it, or its
    // folder is removed. Expected: reported; with the folder gone, every answer after is "may".
    void replacedFileOrLostFolder_isReported() {
        watchAFile();
        write(dir->filePath(QStringLiteral("copy")), "other settings");
        QVERIFY(!watch->mayHaveChanged()); // the copy itself is not the file
        QVERIFY(QFile::remove(file));
        QVERIFY(QFile::rename(dir->filePath(QStringLiteral("copy")), file));
        QVERIFY(watch->mayHaveChanged());
        QVERIFY(dir->remove());
        QVERIFY(watch->mayHaveChanged());
        QVERIFY(!watch->watching());
        QVERIFY(watch->mayHaveChanged());
    }

    // State: a watched settings file with a listener. Action: the file is written, then its
    // folder removed, no one asking. Expected: the listener hears both, the watch then stops.
    void changes_reachAListenerThroughTheEventLoop() {
        watchAFile();
        int heard = 0;
        watch->onChange([&heard] { ++heard; });
        write(file, "x");
        QTRY_VERIFY(heard > 0);
        const int before = heard;
        QVERIFY(dir->remove());
        QTRY_VERIFY(heard > before);
        QTRY_VERIFY(!watch->watching());
    }
};

QTEST_GUILESS_MAIN(TstFileChangeWatch)
#include "tst_filechangewatch.moc"
