// Option values: the text-to-number conversion, every reader's defaults, and the store.

#include "app/number.h"
#include "app/settingsstore.h"
#include "settings/options.h"
#include "testsupport.h"

#include <QFile>
#include <QTest>
#include <sys/stat.h>

using namespace pukalo;
using Options::Key;

Q_DECLARE_METATYPE(std::optional<qint16>)

class TestOptions : public QObject
{
    Q_OBJECT
private slots:
    void toInt16_data();
    void toInt16();
    void isOn_data();
    void isOn();
    void storeRoundTrip();
    void writesReplaceTheFileWhole();
    void failedWriteLeavesFileAlone();
};

void TestOptions::toInt16_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<qint16>>("expected");
    const std::optional<qint16> none;

    QTest::newRow("1") << QStringLiteral("1") << std::optional<qint16>(1);
    QTest::newRow("2") << QStringLiteral("2") << std::optional<qint16>(2);
    QTest::newRow("0") << QStringLiteral("0") << std::optional<qint16>(0);
    QTest::newRow("leading zero") << QStringLiteral("01") << std::optional<qint16>(1);
    QTest::newRow("many zeros") << QStringLiteral("0000000000000000001")
                                << std::optional<qint16>(1);
    QTest::newRow("-1") << QStringLiteral("-1") << std::optional<qint16>(-1);
    QTest::newRow("+1") << QStringLiteral("+1") << std::optional<qint16>(1);
    QTest::newRow("max") << QStringLiteral("32767") << std::optional<qint16>(32767);
    QTest::newRow("min") << QStringLiteral("-32768") << std::optional<qint16>(-32768);
    QTest::newRow("blanks around") << QStringLiteral(" 1 ") << std::optional<qint16>(1);
    QTest::newRow("tab before") << QStringLiteral("\t2") << std::optional<qint16>(2);
    QTest::newRow("above max") << QStringLiteral("32768") << none;
    QTest::newRow("below min") << QStringLiteral("-32769") << none;
    QTest::newRow("40000") << QStringLiteral("40000") << none;
    QTest::newRow("huge") << QStringLiteral("99999999999999999999999") << none;
    QTest::newRow("abc") << QStringLiteral("abc") << none;
    QTest::newRow("empty") << QString() << none;
    QTest::newRow("only blanks") << QStringLiteral("   ") << none;
    QTest::newRow("sign only") << QStringLiteral("-") << none;
    QTest::newRow("blank inside") << QStringLiteral("- 1") << none;
    QTest::newRow("fraction") << QStringLiteral("1.5") << none;
    QTest::newRow("whole fraction") << QStringLiteral("1.0") << none;
    QTest::newRow("exponent") << QStringLiteral("1e1") << none;
    QTest::newRow("hex") << QStringLiteral("0x1") << none;
    QTest::newRow("basic hex") << QStringLiteral("&H1") << none;
    QTest::newRow("thousands") << QStringLiteral("1,000") << none;
    QTest::newRow("full-width digit") << QStringLiteral("１") << none;
    QTest::newRow("full-width blank") << QStringLiteral("\u30001") << none;
    QTest::newRow("trailing text") << QStringLiteral("1x") << none;
}

void TestOptions::toInt16()
{
    QFETCH(QString, text);
    QFETCH(std::optional<qint16>, expected);
    QCOMPARE(ToInt16(text), expected);
}

void TestOptions::isOn_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("stored"); // null: nothing stored
    QTest::addColumn<QString>("defaultValue");
    QTest::addColumn<bool>("on");

    // Each reader's default decides what an empty store means.
    const QString one = QStringLiteral("1");
    const QString two = QStringLiteral("2");
    const struct
    {
        const char *reader;
        Key key;
        QString defaultValue;
    } readers[] = {
        {"start-up Showlogo", Key::Showlogo, one},
        {"exit Clipclear", Key::Clipclear, two},
        {"main window Facechack", Key::Facechack, two},
    };
    const struct
    {
        const char *tag;
        QString stored;
        bool onWithDefaultOne;
        bool onWithDefaultTwo;
    } values[] = {
        {"nothing stored", QString(), true, false},
        {"1", QStringLiteral("1"), true, true},
        {"2", QStringLiteral("2"), false, false},
        {"0", QStringLiteral("0"), false, false},
        {"3", QStringLiteral("3"), false, false},
        {"01", QStringLiteral("01"), true, true},
        {"-1", QStringLiteral("-1"), false, false},
        {"abc", QStringLiteral("abc"), false, false},
        {"empty", QStringLiteral(""), false, false},
        {"40000", QStringLiteral("40000"), false, false},
        {"list", QStringLiteral("1,2"), false, false},
    };
    for (const auto &r : readers) {
        for (const auto &v : values) {
            QTest::addRow("%s, %s", r.reader, v.tag)
                << int(r.key) << v.stored << r.defaultValue
                << (r.defaultValue == one ? v.onWithDefaultOne : v.onWithDefaultTwo);
        }
    }
}

void TestOptions::isOn()
{
    QFETCH(int, key);
    QFETCH(QString, stored);
    QFETCH(QString, defaultValue);
    QFETCH(bool, on);

    test::ScratchSettings settings;
    const QString name = Options::Name(Key(key));
    if (!stored.isNull())
        settings.write({{name, stored}});
    QByteArray before;
    if (QFile file(settings.filePath()); file.open(QIODevice::ReadOnly))
        before = file.readAll();

    QCOMPARE(Options::IsOn(Key(key), defaultValue), on);

    // Reading never repairs or adds anything.
    QFile after(settings.filePath());
    if (stored.isNull()) {
        QVERIFY(!after.exists());
    } else {
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), before);
    }
}

void TestOptions::storeRoundTrip()
{
    test::ScratchSettings settings;
    const QString app = QStringLiteral("Pukalo");
    const QString section = QStringLiteral("Settings");

    QCOMPARE(GetSetting(app, section, QStringLiteral("Showlogo"), QStringLiteral("1")),
             QStringLiteral("1"));
    QVERIFY(SaveSetting(app, section, QStringLiteral("Clipclear"), QStringLiteral("2")));
    QVERIFY(SaveSetting(app, section, QStringLiteral("Showlogo"), QStringLiteral("1")));
    QCOMPARE(GetSetting(app, section, QStringLiteral("Clipclear"), QStringLiteral("x")),
             QStringLiteral("2"));
    QCOMPARE(GetSetting(app, section, QStringLiteral("Facechack"), QStringLiteral("2")),
             QStringLiteral("2"));

    // A human-readable file under the application's own folder, in the [Settings] section.
    QVERIFY(settings.filePath().endsWith(QStringLiteral("/Pukalo/Pukalo.ini")));
    QFile file(settings.filePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    QVERIFY2(text.startsWith("[Settings]\n"), text.constData());
    QVERIFY(text.contains("Clipclear=2\n"));
    QVERIFY(text.contains("Showlogo=1\n"));
}

// A write goes to a new file that is renamed over the old one, so a crash or a full disk in
// the middle of it can never leave a half-written settings file behind.
void TestOptions::writesReplaceTheFileWhole()
{
    test::ScratchSettings settings;
    QVERIFY(Options::Write(Key::Showlogo, true));
    struct stat before = {};
    QCOMPARE(::stat(QFile::encodeName(settings.filePath()).constData(), &before), 0);
    QVERIFY(Options::Write(Key::Clipclear, false));
    struct stat after = {};
    QCOMPARE(::stat(QFile::encodeName(settings.filePath()).constData(), &after), 0);
    QVERIFY(before.st_ino != after.st_ino);
    QCOMPARE(settings.value(QStringLiteral("Showlogo")), QStringLiteral("1"));
    QCOMPARE(settings.value(QStringLiteral("Clipclear")), QStringLiteral("2"));
}

void TestOptions::failedWriteLeavesFileAlone()
{
    test::ScratchSettings settings;
    settings.blockWrites();
    QVERIFY(!Options::Write(Key::Facechack, true));
    QVERIFY(!Options::IsOn(Key::Facechack, QString::fromUtf16(Options::Off)));
}

QTEST_GUILESS_MAIN(TestOptions)
#include "tst_options.moc"
