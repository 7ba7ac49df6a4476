// What the program keeps on disk: the options in the settings file, and the kaomoji used lately.

#include "platform/filestore.h"
#include "platform/number.h"
#include "settings/history.h"
#include "settings/options.h"
#include "settings/windowsizes.h"
#include "testsupport.h"

#include <QElapsedTimer>
#include <QLockFile>
#include <QTest>
#include <sys/stat.h>

using namespace pukalo;

class TestStores : public QObject
{
    Q_OBJECT
    std::unique_ptr<test::ScratchSettings> m_settings;

private slots:
    void init() { m_settings = std::make_unique<test::ScratchSettings>(); }
    void cleanup() { m_settings.reset(); }

    void toInt16_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected"); // 99999: no 16-bit number
        for (auto [text, value] : {std::pair{"1", 1},
                                   {"01", 1},
                                   {"+1", 1},
                                   {" 1 ", 1},
                                   {"\t2", 2},
                                   {"-1", -1},
                                   {"32767", 32767},
                                   {"-32768", -32768},
                                   {"0000000000000000001", 1}})
            QTest::newRow(text) << QString(text) << value;
        for (const char *text : {"32768", "-32769", "99999999999999999999", "", "-", "abc", "1.0",
                                 "1e1", "0x1", "１", "- 1", "1x", "1,2"})
            QTest::newRow(text) << QString(text) << 99999;
    }
    void toInt16()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        const std::optional<qint16> value = ToInt16(text);
        QCOMPARE(value ? int(*value) : 99999, expected);
    }

    // A change writes the line of its key and nothing else: comments, blank lines, other keys
    // and sections stay byte for byte, line ends as the file has them; a new key goes to the end
    // of [Settings]. The file is replaced by renaming a new one over it, so a crash never leaves
    // half a file. A lock a killed writer left behind is cleared at once; one held by a live
    // writer gives up within the limit, and the file stays as it was.
    void storedFile()
    {
        QVERIFY(!Options::IsOn(Options::Key::Paste)); // a first start pastes nowhere
        QVERIFY(Options::Write(Options::Key::Showlogo, false));
        QVERIFY(Options::Write(Options::Key::Facechack, true));
        QCOMPARE(m_settings->bytes(), "[Settings]\nShowlogo=2\nFacechack=1\n");
        QVERIFY(m_settings->filePath().endsWith("/Pukalo/Pukalo.ini"));

        const QByteArray mine =
            "; mine\r\n[Other]\r\nkey=value\r\n\r\n[Settings] ; mine\r\nShowlogo = 1\r\n"
            "Later=x\r\n\r\n[Last]\r\nk=v";
        QFile file(m_settings->filePath());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(mine);
        file.close();
        QFile old(file.fileName()); // open through the writes: never written into
        QVERIFY(old.open(QIODevice::ReadOnly));
        QVERIFY(QFile(file.fileName() + ".lock").open(QIODevice::WriteOnly)); // killed writer's
        QElapsedTimer clock;
        clock.start();
        QVERIFY(Options::Write(Options::Key::Facechack, false));
        QVERIFY(Options::Write(Options::Key::Showlogo, false));
        QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(m_settings->bytes(), QByteArray(mine)
                                          .replace("Showlogo = 1", "Showlogo=2")
                                          .replace("Later=x\r\n", "Later=x\r\nFacechack=2\r\n"));
        QCOMPARE(old.readAll(), mine);

        const QByteArray kept = m_settings->bytes();
        QLockFile live(file.fileName() + ".lock");
        QVERIFY(live.tryLock());
        clock.restart();
        QVERIFY(!Options::Write(Options::Key::Clipclear, true));
        QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
        live.unlock();
        QCOMPARE(m_settings->bytes(), kept);
        m_settings->blockWrites();
        QVERIFY(!Options::Write(Options::Key::Clipclear, true));
    }

    // A save that fails after its lock was had, or meets a file the user made read-only: the
    // settings, the history and a window's size each stay byte for byte, the failure is said,
    // and no temporary file is left.
    void failedSave_data()
    {
        QTest::addColumn<FileStore::ReplaceStep>("step");
        QTest::newRow("write") << FileStore::ReplaceStep::Write;
        QTest::newRow("short write") << FileStore::ReplaceStep::ShortWrite;
        QTest::newRow("fsync") << FileStore::ReplaceStep::Sync;
        QTest::newRow("rename") << FileStore::ReplaceStep::Rename;
        QTest::newRow("read-only") << FileStore::ReplaceStep::None;
    }
    void failedSave()
    {
        QFETCH(FileStore::ReplaceStep, step);
        QString why;
        m_settings->write({{"Paste", "1"}});
        QVERIFY(History::Add(AllEntries()[0], &why));
        WindowSizes::Remember("w", {300, 200});
        WindowSizes::Write();
        const QString files[] = {m_settings->filePath(), History::FilePath(),
                                 StateFilePath("Pukalo", "w-size")};
        std::vector<QByteArray> before;
        for (const QString &path : files) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            before.push_back(file.readAll());
            if (step == FileStore::ReplaceStep::None)
                QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::ReadGroup));
        }
        FileStore::FailReplaceForTesting(step);
        QVERIFY(!Options::Write(Options::Key::Paste, false));
        QVERIFY(!History::Add(AllEntries()[1], &why));
        QVERIFY(!why.isEmpty());
        WindowSizes::Remember("w", {400, 200});
        WindowSizes::Write();
        FileStore::FailReplaceForTesting(FileStore::ReplaceStep::None);
        for (size_t i = 0; i < std::size(files); ++i) {
            QFile file(files[i]);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.readAll(), before[i]);
            const QStringList beside =
                QFileInfo(files[i]).dir().entryList(QDir::Files | QDir::Hidden);
            QVERIFY2(beside.filter(QFileInfo(files[i]).fileName() + ".").isEmpty(),
                     qPrintable(beside.join(' ')));
        }
    }

    // A link stays a link, its target written; a FIFO where a file of state belongs is left
    // alone, never waited on.
    void unusualFiles()
    {
        QString why;
        m_settings->write({});
        const QString target = m_settings->filePath() + ".mine";
        QVERIFY(QFile::rename(m_settings->filePath(), target));
        QVERIFY(QFile::link(target, m_settings->filePath()));
        QVERIFY(Options::Write(Options::Key::Paste, true));
        QVERIFY(QFileInfo(m_settings->filePath()).isSymLink());
        QCOMPARE(m_settings->bytes(), "[Settings]\nPaste=1\n");

        const QString fifos[] = {History::FilePath(), StateFilePath("Pukalo", "w-size")};
        for (const QString &path : fifos) {
            QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        }
        QVERIFY(!History::Add(AllEntries()[0], &why));
        WindowSizes::Remember("w", {400, 200});
        WindowSizes::Write();
        for (const QString &path : fifos)
            QVERIFY(FileStore::IsOtherThanRegularFile(path));
    }

    // Newest first, each kaomoji once, sixteen at most, with the category it was chosen from;
    // lines that name no kaomoji are skipped and dropped; what another instance wrote meanwhile
    // stays; the settings file is never touched.
    void history()
    {
        test::ScratchSettings &settings = *m_settings;
        settings.write({{"Facechack", "1"}});
        const QByteArray options = settings.bytes();
        const std::vector<CatalogueEntry> all = AllEntries();
        QString why;
        for (int i = 0; i < 20; ++i)
            QVERIFY(History::Add(all[size_t(i)], &why));
        QVERIFY(History::Add(*FindKaomoji(u" (o^_^o) "), &why));
        QVERIFY(History::Add(*FindKaomoji(u"p(^_^)q", u"気分"), &why));
        QStringList shown;
        for (const CatalogueEntry &e : History::Read())
            shown << QStringView(e.row->kaomoji).toString() +
                         QStringView(e.row->description).toString();
        QCOMPARE(shown.size(), 16);
        QCOMPARE(shown.filter("p(^_^)q").size(), 1); // taken again when the history was full
        QCOMPARE(shown.mid(0, 3),
                 QStringList({"p(^_^)qがんばれ！", " (o^_^o) てれてれ", "(^ー^)ふーんだ！！"}));
        QCOMPARE(settings.bytes(), options);

        QFile file(History::FilePath());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("笑顔１\t(^^)\nnonsense\n笑顔１\tnot a kaomoji\n\t<^^>\n");
        file.close();
        QVERIFY(History::Add(*FindKaomoji(u"(^o^)"), &why));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), "笑顔１\t(^o^)\n笑顔１\t(^^)\n笑顔１\t<^^>\n");
        file.close();

        QVERIFY(History::Clear(&why));
        QCOMPARE(History::Read().size(), 0u);
        // A folder where the file belongs: nothing can be written, and it says why.
        QVERIFY(file.remove() && QDir().mkpath(History::FilePath()));
        QVERIFY(!History::Clear(&why));
        QVERIFY(!why.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestStores)
#include "tst_stores.moc"
