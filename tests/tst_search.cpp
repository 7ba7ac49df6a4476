// Finding a kaomoji by typing, and the list of those used lately.

#include "catalogue/search.h"
#include "settings/history.h"
#include "testsupport.h"

#include <QDir>
#include <QTest>

using namespace pukalo;

class TestSearch : public QObject
{
    Q_OBJECT
private slots:
    void matching_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QStringList>("first"); // the first results, in order
        QTest::addColumn<int>("count");
        QTest::newRow("reading") << "ぴーす" << QStringList{"(^_^)v", "v(^^)v"} << 2;
        QTest::newRow("katakana") << "ピース" << QStringList{"(^_^)v", "v(^^)v"} << 2;
        QTest::newRow("half-width katakana") << "ﾋﾟｰｽ" << QStringList{"(^_^)v"} << 2;
        QTest::newRow("letter case") << "(^_^)V" << QStringList{"(^_^)v"} << 1;
        QTest::newRow("full-width letters") << "ｚｚｚ" << QStringList{"(-o-)zzz"} << 3;
        QTest::newRow("starts first") << "にこ" << QStringList{"(^^", "(^^)", "（＾＾）"} << 3;
        QTest::newRow("reading of kanji") << "ひょうじゅん" << QStringList{"(^^)", "(T T)"} << 5;
        QTest::newRow("two words") << "にこ ぜんかく" << QStringList{"（＾＾）"} << 1;
        QTest::newRow("category name") << "驚き びっくり" << QStringList{"(＠o＠)"} << 1;
        QTest::newRow("kaomoji with blanks") << "o^_^o" << QStringList{" (o^_^o) "} << 1;
        QTest::newRow("nothing") << "ぱんだ" << QStringList{} << 0;
        QTest::newRow("only blanks") << " \u3000 " << QStringList{} << 0;
    }
    void matching()
    {
        QFETCH(QString, query);
        QFETCH(QStringList, first);
        QFETCH(int, count);
        QStringList found;
        for (const CatalogueEntry &e : Search(query))
            found << QStringView(e.row->kaomoji).toString();
        QCOMPARE(found.mid(0, first.size()), first);
        QCOMPARE(found.size(), count);
    }

    // Newest first, each kaomoji once, sixteen at most, with the category it was chosen from;
    // lines that name no kaomoji are skipped and dropped; what another instance wrote meanwhile
    // stays; the settings file is never touched.
    void history()
    {
        test::ScratchSettings settings;
        settings.write({{"Facechack", "1"}});
        const QByteArray options = settings.bytes();
        const std::vector<CatalogueEntry> all = AllEntries();
        for (int i = 0; i < 20; ++i)
            History::Add(all[size_t(i)]);
        History::Add(*FindKaomoji(u" (o^_^o) "));
        History::Add(*FindKaomoji(u"p(^_^)q", u"気分"));
        QStringList shown;
        for (const CatalogueEntry &e : History::Read())
            shown << QStringView(e.row->kaomoji).toString() + QStringView(e.row->description).toString();
        QCOMPARE(shown.size(), 16);
        QCOMPARE(shown.mid(0, 3), QStringList({"p(^_^)qがんばれ！", " (o^_^o) てれてれ", "(^ー^)ふーんだ！！"}));
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

QTEST_GUILESS_MAIN(TestSearch)
#include "tst_search.moc"
