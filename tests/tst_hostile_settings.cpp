// More than five hundred damaged, odd or hostile settings files. With each the program starts,
// the main window lists the sixteen categories, a kaomoji copies, every reader takes what it
// cannot convert for off, and the file is left byte for byte as it was (no writer runs here).

#include "app/controls.h"
#include "app/formslot.h"
#include "app/japanesefont.h"
#include "app/number.h"
#include "app/settingsstore.h"
#include "app/startup.h"
#include "forms/logo/formlogo.h"
#include "forms/main/formmain.h"
#include "settings/options.h"
#include "testsupport.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>

using namespace pukalo;

namespace {
enum class Shape
{
    Bytes,  // the file holds exactly these bytes
    Folder, // a folder stands where the file should be
    DanglingLink,
    LinkLoop,
};

// The value each key was given in a well-formed file, when the file is that simple; empty
// when the file is too damaged for the test to say what a reader should see.
struct Case
{
    Shape shape = Shape::Bytes;
    QByteArray bytes;
    QByteArray showlogo, clipclear, facechack; // raw values, null: not stored
    bool simple = false;
};

QByteArray simpleFile(const QByteArray &section, const QByteArray &s, const QByteArray &c,
                      const QByteArray &f)
{
    QByteArray text = section + "\n";
    if (!s.isNull())
        text += "Showlogo=" + s + "\n";
    if (!c.isNull())
        text += "Clipclear=" + c + "\n";
    if (!f.isNull())
        text += "Facechack=" + f + "\n";
    return text;
}

std::vector<std::pair<QByteArray, Case>> generate()
{
    std::vector<std::pair<QByteArray, Case>> cases;
    auto add = [&](const QByteArray &tag, Case c) { cases.emplace_back(tag, std::move(c)); };

    // Values that are no plain option value, each given to each key of a well-formed file.
    const QList<QByteArray> values = {"1",
                                      "2",
                                      "0",
                                      "01",
                                      "-1",
                                      "3",
                                      "32767",
                                      "32768",
                                      "-32768",
                                      "-32769",
                                      "40000",
                                      "99999999999999999999",
                                      "",
                                      " ",
                                      " 1",
                                      "1 ",
                                      "\t1",
                                      "1.0",
                                      "1.5",
                                      "0.5",
                                      "1e0",
                                      "1E1",
                                      "0x1",
                                      "&H1",
                                      "1,000",
                                      "1_000",
                                      "+1",
                                      "--1",
                                      "１",
                                      "一",
                                      "on",
                                      "true",
                                      "yes",
                                      "abc",
                                      "1abc",
                                      "abc1",
                                      "NaN",
                                      "inf",
                                      "-0",
                                      "00000000000000000000000000001",
                                      "\"1\"",
                                      "'1'",
                                      "\\x31",
                                      "@Invalid()",
                                      "@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x1)",
                                      "\xe3\x80\x80"
                                      "1",
                                      "\xff\xfe",
                                      "\xc3\x28",
                                      "\xed\xa0\x80",
                                      "\xf4\x90\x80\x80",
                                      "1;comment",
                                      "1 ;comment",
                                      "1#x",
                                      "%31",
                                      "\\\\1",
                                      "1\\",
                                      "\x01\x02",
                                      "\x7f"};
    for (const QByteArray &v : values) {
        const bool plain = !v.contains(',') && !v.contains('"') && !v.contains('\\') &&
                           !v.contains(';') && !v.contains('@') && !v.contains('%') &&
                           !v.contains('\'') && !v.contains('#') && !v.trimmed().isEmpty() &&
                           v.trimmed() == v && QString::fromUtf8(v).toUtf8() == v &&
                           !v.contains('\x7f') && !v.contains('\x01');
        for (int key = 0; key < 3; ++key) {
            Case c;
            (key == 0 ? c.showlogo : key == 1 ? c.clipclear : c.facechack) = v;
            c.bytes = simpleFile("[Settings]", c.showlogo, c.clipclear, c.facechack);
            c.simple = plain;
            add("value " + v.toPercentEncoding() + " key " + QByteArray::number(key), c);
        }
        Case all;
        all.showlogo = all.clipclear = all.facechack = v;
        all.bytes = simpleFile("[Settings]", v, v, v);
        all.simple = plain;
        add("value " + v.toPercentEncoding() + " all keys", all);
    }

    // The section missing, in other case, twice, or under another name.
    for (const QByteArray &section :
         {QByteArray(), QByteArray("[settings]"), QByteArray("[SETTINGS]"), QByteArray("[Settings"),
          QByteArray("Settings]"), QByteArray("[ Settings ]"), QByteArray("[General]"),
          QByteArray("[Pukalo]")}) {
        Case c;
        c.bytes = simpleFile(section, "1", "1", "1");
        add("section " + section.toPercentEncoding(), c);
    }
    {
        Case dup;
        dup.bytes = "[Settings]\nFacechack=1\nFacechack=2\nShowlogo=2\nShowlogo=1\n";
        add("duplicate keys", dup);
        Case twice;
        twice.bytes = "[Settings]\nClipclear=1\n[Settings]\nClipclear=2\n";
        add("section twice", twice);
        Case bom;
        bom.bytes = "\xef\xbb\xbf[Settings]\nShowlogo=2\nFacechack=1\n";
        add("byte-order mark", bom);
        Case empty;
        add("empty file", empty);
        Case junk;
        junk.bytes.resize(1 << 20);
        for (qsizetype i = 0; i < junk.bytes.size(); ++i)
            junk.bytes[i] = char(QRandomGenerator::global()->bounded(256));
        add("1 MiB of junk", junk);
        Case lines;
        lines.bytes = "[Settings]\n" + QByteArray(200000, '=') +
                      "\nShowlogo=" + QByteArray(100000, '9') + "\n";
        add("huge lines", lines);
        Case crlf;
        crlf.bytes = "[Settings]\r\nShowlogo=2\r\nFacechack=1\r\n";
        add("CR LF", crlf);
        Case nul;
        nul.bytes = QByteArray("[Settings]\nShowlogo=1\0\nFacechack=1\n", 32);
        add("NUL byte", nul);
        for (auto [tag, shape] : {std::pair{"a folder instead", Shape::Folder},
                                  std::pair{"dangling link", Shape::DanglingLink},
                                  std::pair{"link loop", Shape::LinkLoop}}) {
            Case odd;
            odd.shape = shape;
            add(tag, odd);
        }
    }

    // Random bytes, alone and after a valid start, with a fixed seed so a failure repeats.
    QRandomGenerator random(20261206);
    for (int i = 0; i < 300; ++i) {
        Case c;
        const int length = random.bounded(1, 2048);
        QByteArray bytes(length, '\0');
        for (char &b : bytes)
            b = char(random.bounded(256));
        c.bytes = (i % 2 ? QByteArray("[Settings]\nShowlogo=") : QByteArray()) + bytes;
        add("random " + QByteArray::number(i), c);
    }
    return cases;
}

void lay(const QString &path, const Case &c)
{
    QDir().mkpath(QFileInfo(path).path());
    switch (c.shape) {
    case Shape::Bytes: {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(c.bytes);
        break;
    }
    case Shape::Folder:
        QVERIFY(QDir().mkpath(path));
        break;
    case Shape::DanglingLink:
        QVERIFY(QFile::link(path + QStringLiteral(".missing"), path));
        break;
    case Shape::LinkLoop:
        QVERIFY(QFile::link(path, path));
        break;
    }
}

QByteArray snapshot(const QString &path)
{
    const QFileInfo info(path);
    if (info.isSymLink())
        return "link to " + info.symLinkTarget().toUtf8();
    if (info.isDir())
        return "folder";
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("unreadable");
}

bool expectedOn(const QByteArray &raw, bool defaultOn)
{
    if (raw.isNull())
        return defaultOn;
    const std::optional<qint16> v = ToInt16(QString::fromUtf8(raw));
    return v && *v == 1;
}
} // namespace

class TestHostileSettings : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void startsCopiesAndLeavesFileAlone_data();
    void startsCopiesAndLeavesFileAlone();
};

void TestHostileSettings::initTestCase()
{
    InstallJapaneseFontSubstitutes();
}

void TestHostileSettings::cleanup()
{
    delete FormSlot<FormLogo>::Instance();
    delete FormSlot<FormMain>::Instance();
}

void TestHostileSettings::startsCopiesAndLeavesFileAlone_data()
{
    QTest::addColumn<int>("index");
    static const auto cases = generate();
    QVERIFY(cases.size() >= 500);
    for (size_t i = 0; i < cases.size(); ++i)
        QTest::newRow(cases[i].first.left(60).constData()) << int(i);
}

void TestHostileSettings::startsCopiesAndLeavesFileAlone()
{
    QFETCH(int, index);
    static const auto cases = generate();
    const Case &c = cases[size_t(index)].second;

    test::ScratchSettings settings;
    const QString path = settings.filePath();
    lay(path, c);
    const QByteArray before = snapshot(path);
    test::EndRecorder end;

    Main();
    if (FormLogo *logo = FormSlot<FormLogo>::Instance()) {
        logo->Timer1_Timer();
        logo->Timer1_Timer();
    }
    FormMain *form = FormSlot<FormMain>::Instance();
    QVERIFY(form);
    QCOMPARE(form->Combo1->count(), 16);

    form->Combo1->setCurrentIndex(0);
    form->Combo1_Click();
    form->List1->setCurrentRow(0);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("(^^)"));

    const bool logo = Options::IsOn(Options::Key::Showlogo, QString::fromUtf16(Options::On));
    const bool clip = Options::IsOn(Options::Key::Clipclear, QString::fromUtf16(Options::Off));
    const bool top = Options::IsOn(Options::Key::Facechack, QString::fromUtf16(Options::Off));
    QCOMPARE(form->mnuTemae->isChecked(), top);
    if (c.simple) {
        QCOMPARE(logo, expectedOn(c.showlogo, true));
        QCOMPARE(clip, expectedOn(c.clipclear, false));
        QCOMPARE(top, expectedOn(c.facechack, false));
    }

    form->Command2_Click();
    QCOMPARE(end.ends, 1);
    QCOMPARE(end.reports, QStringList());
    QCOMPARE(QGuiApplication::clipboard()->text().isEmpty(), clip);
    QCOMPARE(snapshot(path), before);
}

QTEST_MAIN(TestHostileSettings)
#include "tst_hostile_settings.moc"
