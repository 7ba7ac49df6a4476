// Finding a kaomoji by typing, and the list of those used lately.

#include "catalogue/search.h"
#include "settings/recent.h"
#include "testsupport.h"

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

    // Newest first, each once, sixteen at most; what cannot be read is left out and never
    // overwritten; [Settings] stays byte for byte.
    void recentlyUsed()
    {
        test::ScratchSettings settings;
        settings.write({{"Facechack", "1"}, {"Showlogo", "2"}});
        const QByteArray options = settings.bytes();
        const std::vector<CatalogueEntry> all = AllEntries();
        for (int i = 0; i < 20; ++i)
            Recent::Add(QStringView(all[size_t(i)].row->kaomoji).toString());
        Recent::Add(" (o^_^o) ");
        Recent::Add("(^^)");
        const QStringList recent = Recent::Read();
        QCOMPARE(recent.size(), 16);
        QCOMPARE(recent.mid(0, 3), QStringList({"(^^)", " (o^_^o) ", "p(^_^)q"}));
        QVERIFY(settings.bytes().endsWith(options));

        Recent::Clear();
        QCOMPARE(Recent::Read(), QStringList());
        QFile file(settings.filePath());
        QVERIFY(file.open(QIODevice::Append));
        file.write("[Recent]\n1=(^^)\n2=not a kaomoji\n9=<^^>\nx=(^o^)\n");
        file.close();
        const QByteArray damaged = settings.bytes();
        QCOMPARE(Recent::Read(), QStringList({"(^^)", "<^^>"}));
        Recent::Add("(^o^)");
        QCOMPARE(settings.bytes(), damaged);
    }
};

QTEST_GUILESS_MAIN(TestSearch)
#include "tst_search.moc"
