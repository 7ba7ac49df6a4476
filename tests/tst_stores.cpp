// What the program keeps on disk: the options in the settings file, and the kaomoji used lately.

#include "platform/number.h"
#include "settings/history.h"
#include "settings/options.h"
#include "testsupport.h"

#include <QElapsedTimer>
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

    // The file other tools and older settings rely on, written whole every time; a write that
    // cannot be made says so.
    void storedFile()
    {
        QVERIFY(Options::Write(Options::Key::Showlogo, false));
        struct stat before = {};
        QCOMPARE(::stat(QFile::encodeName(m_settings->filePath()).constData(), &before), 0);
        QVERIFY(Options::Write(Options::Key::Facechack, true));
        QCOMPARE(m_settings->bytes(), "[Settings]\nFacechack=1\nShowlogo=2\n");
        QVERIFY(m_settings->filePath().endsWith("/Pukalo/Pukalo.ini"));
        // Replaced by renaming a new file over it: a crash mid-write never leaves half a file.
        struct stat after = {};
        QCOMPARE(::stat(QFile::encodeName(m_settings->filePath()).constData(), &after), 0);
        QVERIFY(before.st_ino != after.st_ino);

        // A write sets its key alone: another section, another version's key stay. A lock that
        // a killed writer left empty holds it up for a moment, not for Qt's thirty seconds.
        QFile file(m_settings->filePath());
        QVERIFY(file.open(QIODevice::Append));
        file.write("Later=x\n[Other]\nkey=value\n");
        file.close();
        QVERIFY(QFile(m_settings->filePath() + ".lock").open(QIODevice::WriteOnly));
        QElapsedTimer clock;
        clock.start();
        QVERIFY(Options::Write(Options::Key::Facechack, false));
        QVERIFY2(clock.elapsed() < 10000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(m_settings->bytes(),
                 "[Other]\nkey=value\n\n[Settings]\nFacechack=2\nLater=x\nShowlogo=2\n");
        m_settings->blockWrites();
        QVERIFY(!Options::Write(Options::Key::Clipclear, true));
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
        for (int i = 0; i < 20; ++i)
            History::Add(all[size_t(i)]);
        History::Add(*FindKaomoji(u" (o^_^o) "));
        History::Add(*FindKaomoji(u"p(^_^)q", u"気分"));
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
        History::Add(*FindKaomoji(u"(^o^)"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), "笑顔１\t(^o^)\n笑顔１\t(^^)\n笑顔１\t<^^>\n");
        file.close();

        QString why;
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
