// Finding a kaomoji by typing.

#include "catalogue/search.h"
#include <QTest>

using namespace pukalo;

class TestSearch : public QObject
{
    Q_OBJECT
private slots:
    // Each row a way a user looks for a kaomoji; it must come within the first `within`
    // results (0: nothing is found).
    void matching_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("kaomoji");
        QTest::addColumn<int>("within");
        QTest::newRow("category reading") << "えがお"
                                          << "(^^)" << 3;
        QTest::newRow("verb") << "なく"
                              << "(T T)" << 3;
        QTest::newRow("verb in kanji") << "泣く"
                                       << "(T T)" << 3;
        QTest::newRow("word in kanji") << "猫"
                                       << "(=^ ^=)" << 1;
        QTest::newRow("everyday apology") << "すいません"
                                          << " m(_ _;)m " << 3;
        QTest::newRow("reading of a kanji kaomoji") << "しぬ"
                                                    << "(死)" << 1;
        QTest::newRow("kanji reading among others") << "くしょう"
                                                    << "（苦笑）" << 3;
        QTest::newRow("long vowel left out") << "ばんざい"
                                             << "＼^o^／" << 3;
        QTest::newRow("long vowel as a vowel") << "やっほう"
                                               << "＼(^o^)／" << 1;
        QTest::newRow("small tsu left out") << "にこ"
                                            << "<^^>" << 3;
        QTest::newRow("wave dash U+301C") << "やっほ〜"
                                          << "＼(^o^)／" << 1;
        QTest::newRow("equal before beginning") << "いか"
                                                << "くコ:彡" << 1;
        QTest::newRow("exact reading before a longer one") << "えー"
                                                           << "(・_・）？" << 2;
        QTest::newRow("romaji") << "niko"
                                << "(^^)" << 3;
        QTest::newRow("romaji with nn") << "konnichiha"
                                        << "(^o^)/" << 3;
        QTest::newRow("romaji, Hepburn") << "shikushiku"
                                         << "(; ;) " << 1;
        QTest::newRow("romaji, Kunrei") << "sikusiku"
                                        << "(; ;) " << 1;
        QTest::newRow("romaji with a dash") << "pi-su"
                                            << "(^_^)v" << 1;
        QTest::newRow("romaji with a long vowel") << "piisu"
                                                  << "(^_^)v" << 1;
        QTest::newRow("romaji ending in n") << "gomen"
                                            << "m(._.)m" << 3;
        QTest::newRow("English") << "cat"
                                 << "(=^ ^=)" << 1;
        QTest::newRow("katakana for a hiragana reading") << "シクシク"
                                                         << "(; ;) " << 1;
        QTest::newRow("half-width katakana") << "ﾋﾟｰｽ"
                                             << "(^_^)v" << 1;
        QTest::newRow("full-width letters") << "ｚｚｚ"
                                            << "(-o-)zzz" << 1;
        QTest::newRow("two words") << "にこ ぜんかく"
                                   << "（＾＾）" << 1;
        QTest::newRow("kaomoji with blanks") << "o^_^o"
                                             << " (o^_^o) " << 1;
        QTest::newRow("nothing") << "ぱんだ"
                                 << "" << 0;
        QTest::newRow("only blanks") << " \u3000 "
                                     << "" << 0;
    }
    void matching()
    {
        QFETCH(QString, query);
        QFETCH(QString, kaomoji);
        QFETCH(int, within);
        QStringList found;
        for (const CatalogueEntry &e : Search(query))
            found << QStringView(e.row->kaomoji).toString();
        if (within == 0)
            QVERIFY2(!found.contains(kaomoji) && (!kaomoji.isEmpty() || found.isEmpty()),
                     qPrintable(found.join(' ')));
        else
            QVERIFY2(found.mid(0, within).contains(kaomoji), qPrintable(found.mid(0, 5).join(' ')));
    }

};

QTEST_GUILESS_MAIN(TestSearch)
#include "tst_search.moc"
