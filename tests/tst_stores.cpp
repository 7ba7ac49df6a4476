// What the program keeps on disk: the options in the settings file, the kaomoji used lately,
// the favourites, and the user's own kaomoji.

#include "catalogue/userkaomoji.h"
#include "platform/filestore.h"
#include "settings/favourites.h"
#include "settings/history.h"
#include "settings/options.h"
#include "settings/windowsizes.h"
#include "testsupport.h"

#include <QElapsedTimer>
#include <QFileInfo>
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

    // A stored value as the file holds it (quoted, its blanks reach the number) read as a
    // 16-bit number.
    void storedNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected"); // 99999: no 16-bit number
        for (auto [text, value] : {std::pair{"1", 1},
                                   {"01", 1},
                                   {"+1", 1},
                                   {"\" 1 \"", 1},
                                   {"\"\t2\"", 2},
                                   {"-1", -1},
                                   {"32767", 32767},
                                   {"-32768", -32768},
                                   {"0000000000000000001", 1}})
            QTest::newRow(text) << QString(text) << value;
        for (const char *text : {"32768", "-32769", "99999999999999999999", "", "-", "abc", "1.0",
                                 "1e1", "0x1", "１", "\"- 1\"", "1x", "1,2"})
            QTest::newRow(text) << QString(text) << 99999;
    }
    void storedNumber()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        m_settings->write({{"Showlogo", text}});
        const std::optional<qint16> value = Options::Number(Options::Key::Showlogo);
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

    // The user's own file as a user edits it: comments, blank lines and other line ends read
    // past, order kept, blanks of the kaomoji kept; a line that cannot be read skipped with its
    // number, the rest still read.
    void userFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("read");   // kaomoji|description|words, in order
        QTest::addColumn<QList<int>>("skipped"); // lines
        auto row = [](const char *name, const QByteArray &bytes, const QStringList &read,
                      const QList<int> &skipped) {
            QTest::newRow(name) << bytes << read << skipped;
        };
        row("fields", " ( ˘ω˘ ) \t すやすや \tねる  sleep\textra\n(=^・^=)\n",
            {" ( ˘ω˘ ) |すやすや|ねる sleep extra", "(=^・^=)||"}, {});
        row("comments, blanks, CRLF, mark",
            "\xef\xbb\xbf# mine\r\n\r\n \t \r\n(^^)/\tやあ\r\n#(x)\r\nz", {"(^^)/|やあ|", "z||"},
            {});
        row("bad UTF-8", "(^^)\n(\xff)\tbad\n(\xed\xa0\x80)\n(^_^)\n", {"(^^)||", "(^_^)||"},
            {2, 3});
        row("control characters", "(\x01)\n(\x1b[31m)\tred\n(\xc2\x85)\nok\n", {"ok||"}, {1, 2, 3});
        row("too long", QByteArray(1025, 'x') + "\n" + QByteArray(1024, 'y'),
            {QString(1024, 'y') + "||"}, {1});
        row("no kaomoji, twice", "\tdesc\n(^^)\ta\n(^^)\tb\n", {"(^^)|a|"}, {1, 3});
    }
    void userFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, read);
        QFETCH(QList<int>, skipped);
        const UserKaomoji::Parsed parsed = UserKaomoji::Parse(bytes);
        QStringList got;
        for (const UserKaomoji::Entry &e : parsed.entries)
            got << e.kaomoji + '|' + e.description + '|' + e.words;
        QCOMPARE(got, read);
        QList<int> lines;
        for (const UserKaomoji::Problem &p : parsed.problems)
            lines << p.line;
        QCOMPARE(lines, skipped);
    }

    // Adding and removing change the one line and keep every other byte: comments, lines that
    // could not be read, the file's line ends.
    void userFileChanges_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("removed");  // null: " (^^) \tにこ\tにこ" added
        QTest::addColumn<QByteArray>("after"); // empty: nothing to remove
        const QByteArray mine = "# mine\n(\xff)\tbad\n\n(^^)/\tやあ\n";
        QTest::newRow("add") << mine << QString() << mine + " (^^) \tにこ\tにこ\n";
        QTest::newRow("add, no line end")
            << QByteArray("a") << QString() << QByteArray("a\n (^^) \tにこ\tにこ\n");
        QTest::newRow("add, CRLF")
            << QByteArray("a\r\n") << QString() << QByteArray("a\r\n (^^) \tにこ\tにこ\r\n");
        QTest::newRow("add to nothing")
            << QByteArray() << QString() << UserKaomoji::WithAdded({}, {}) + " (^^) \tにこ\tにこ\n";
        QTest::newRow("remove") << mine + "b\n"
                                << "(^^)/" << QByteArray("# mine\n(\xff)\tbad\n\nb\n");
        QTest::newRow("remove the last, CRLF")
            << QByteArray("a\r\n (^^) \r\n") << " (^^) " << QByteArray("a\r\n");
        QTest::newRow("remove none") << mine << " (^^)/" << QByteArray();
    }
    void userFileChanges()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, removed);
        QFETCH(QByteArray, after);
        const std::optional<QByteArray> changed =
            removed.isNull() ? UserKaomoji::WithAdded(before, {{" (^^) ", "にこ", "にこ"}})
                             : UserKaomoji::WithRemoved(before, removed);
        QCOMPARE(changed.value_or(QByteArray()), after);
        QVERIFY(UserKaomoji::Parse(UserKaomoji::WithAdded({}, {})).entries.empty());
    }

    // What stands where the file belongs may be anything: a FIFO, a file far too large. It is
    // said, nothing waits, and nothing is written over it. What cannot stand in the file is
    // refused before it is written. Favourites keep what another instance marked.
    void userFileStore()
    {
        QString why;
        QVERIFY(UserKaomoji::Add({"(=^・^=)", " ねこ ", "ねこ  neko"}, &why));
        QVERIFY(UserKaomoji::Add({" ( ˘ω˘ ) ", "", ""}, &why));
        QCOMPARE(UserKaomoji::Rows().size(), 2u);
        QCOMPARE(QStringView(UserKaomoji::Rows()[1].kaomoji), u" ( ˘ω˘ ) ");
        for (const char *refused : {"(=^・^=)", "(^^)", "a\tb", "a\nb", " ", "#x"})
            QVERIFY2(!UserKaomoji::Add({refused, "", ""}, &why) && !why.isEmpty(), refused);
        const QString path = UserKaomoji::FilePath();
        const QByteArray kept = "(^^)/\tやあ\n";
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(kept) &&
                file.resize(50 * 1024 * 1024));
        file.close();
        QVERIFY(UserKaomoji::Rows().empty());
        QVERIFY(UserKaomoji::Problems().value(0).contains(path));
        QVERIFY(!UserKaomoji::Add({"(x)", "", ""}, &why) && !UserKaomoji::Remove(u"(^^)/", &why));
        QCOMPARE(QFileInfo(path).size(), 50 * 1024 * 1024);
        QVERIFY(file.remove() && mkfifo(QFile::encodeName(path).constData(), 0600) == 0);
        QVERIFY(UserKaomoji::Rows().empty() && !UserKaomoji::Problems().isEmpty());
        QVERIFY(!UserKaomoji::Add({"(x)", "", ""}, &why));
        QVERIFY(QFileInfo(path).isFile() == false && QFile::remove(path));

        const std::vector<CatalogueEntry> all = AllEntries();
        QVERIFY(Favourites::Mark(all[3], true, &why) && Favourites::Mark(all[1], true, &why) &&
                Favourites::Mark(all[3], true, &why));
        QFile other(Favourites::FilePath()); // another instance's, meanwhile
        QVERIFY(other.open(QIODevice::Append) && other.write("自分の顔文字\t(gone)\n"));
        other.close();
        QVERIFY(Favourites::Mark(all[5], true, &why) && Favourites::Mark(all[1], false, &why));
        QStringList marked;
        for (const CatalogueEntry &e : Favourites::Read())
            marked << QStringView(e.row->kaomoji).toString();
        QCOMPARE(marked, QStringList({QStringView(all[3].row->kaomoji).toString(),
                                      QStringView(all[5].row->kaomoji).toString()}));
        QVERIFY(Favourites::Read().size() == 2 && QFile(Favourites::FilePath()).size() > 0);
        QFile favourites(Favourites::FilePath());
        QVERIFY(favourites.open(QIODevice::ReadOnly) && favourites.readAll().contains("(gone)"));
    }
};

QTEST_GUILESS_MAIN(TestStores)
#include "tst_stores.moc"
