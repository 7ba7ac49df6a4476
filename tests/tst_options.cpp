// Option values: the text-to-number conversion and the settings file on disk.

#include "app/number.h"
#include "settings/options.h"
#include "testsupport.h"

#include <QTest>
#include <sys/stat.h>

using namespace pukalo;
using Options::Key;

class TestOptions : public QObject
{
    Q_OBJECT
private slots:
    void toInt16_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected"); // 99999: no 16-bit number
        const std::pair<const char *, int> rows[] = {
            {"1", 1},        {"01", 1},        {"+1", 1},           {" 1 ", 1},
            {"\t2", 2},      {"-1", -1},       {"32767", 32767},    {"-32768", -32768},
            {"0000000000000000001", 1},        {"32768", 99999},    {"-32769", 99999},
            {"99999999999999999999", 99999},   {"", 99999},         {"-", 99999},
            {"abc", 99999},  {"1.0", 99999},   {"1e1", 99999},      {"0x1", 99999},
            {"１", 99999},   {"- 1", 99999},   {"1x", 99999},       {"1,2", 99999},
        };
        for (const auto &[text, expected] : rows)
            QTest::newRow(text) << QString(text) << expected;
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
        test::ScratchSettings settings;
        QVERIFY(Options::Write(Key::Showlogo, false));
        struct stat before = {};
        QCOMPARE(::stat(QFile::encodeName(settings.filePath()).constData(), &before), 0);
        QVERIFY(Options::Write(Key::Facechack, true));
        QCOMPARE(settings.bytes(), "[Settings]\nFacechack=1\nShowlogo=2\n");
        QVERIFY(settings.filePath().endsWith("/Pukalo/Pukalo.ini"));
        // Replaced by renaming a new file over it: a crash mid-write never leaves half a file.
        struct stat after = {};
        QCOMPARE(::stat(QFile::encodeName(settings.filePath()).constData(), &after), 0);
        QVERIFY(before.st_ino != after.st_ino);
        settings.blockWrites();
        QVERIFY(!Options::Write(Key::Clipclear, true));
    }
};

QTEST_GUILESS_MAIN(TestOptions)
#include "tst_options.moc"
