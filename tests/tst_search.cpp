// Finding a kaomoji by typing what one means, and the words each row is found by.

#include "catalogue/romaji.h"
#include "catalogue/search.h"

#include <QTest>

using namespace pukalo;

static QStringList found(const QString &query)
{
    QStringList kaomoji;
    for (const CatalogueEntry &e : Search(query))
        kaomoji << QStringView(e.row->kaomoji).toString();
    return kaomoji;
}

class TestSearch : public QObject
{
    Q_OBJECT
private slots:
    // Each row a way people look for a kaomoji: it must come within the first `within` results;
    // `notBefore`, when given, must not come before it (or at all, for 0).
    void matching_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("kaomoji");
        QTest::addColumn<int>("within");
        QTest::addColumn<QString>("notFound");
        auto row = [](const char *name, const char *query, const char *kaomoji, int within,
                      const char *notFound = "") {
            QTest::newRow(name) << QString(query) << QString(kaomoji) << within
                                << QString(notFound);
        };
        row("category reading", "えがお", "(^^)", 3);
        row("kanji word", "猫", "(=^ ^=)", 1);
        row("situation: thanks", "ありがとう", "m(__)m", 3);
        row("situation in English", "thanks", "m(__)m", 3);
        row("net slang", "ぴえん", "(ToT)", 3);
        row("reading of a kanji kaomoji", "しぬ", "(死)", 1);
        row("own word before a situation's", "いらいら", "(･･#)", 1);
        row("past", "おどろいた", "(＠o＠)", 3);
        row("ている in kanji", "泣いてる", "(T T)", 3);
        row("adjective, past", "うれしかった", "(^o^)", 3);
        row("past in った, in kana", "かった", "(^_^)v", 3);
        row("ichidan, polite", "寝ます", "(=_=)", 3);
        row("volitional", "がんばろう", "p(^_^)q", 1);
        row("conjugated romaji", "naiteru", "(T T)", 3);
        row("English -ed", "surprised", "(*_*)", 3);
        row("English -ing, doubled", "sobbing", "(T T)", 3);
        row("English -ing, e dropped", "dancing", "(\\o\\)", 1);
        row("phrase with filler", "ありがとう ございます", "m(__)m", 3);
        row("filler never blocks", "angry face", "(怒)", 3);
        row("two words, both count", "さよなら 涙", "(;_;)/~~~", 1);
        row("word inside a longer one", "テヘペロ", "(^^ゞ", 3);
        row("loose: long vowel left out", "ばんざい", "＼^o^／", 3);
        row("loose: long vowel as a vowel", "やっほう", "＼(^o^)／", 1);
        row("loose: small tsu left out", "にこり", "<^^>", 1);
        row("wave dash U+301C", "やっほ〜", "＼(^o^)／", 1);
        row("loose only for whole words", "がーん", "(∵）", 3, "p(^_^)q");
        row("the kaomoji that is the word", "草", "(笑)", 1, "(-.-)y-~~~");
        row("laughter in letters", "ｗｗｗ", "(笑)", 1);
        row("particle after kanji", "猫が", "(=^ ^=)", 1);
        row("particle, then a kana word", "ケーキがおいしい", "(^Q^)", 1);
        row("negative of a kanji verb", "怒ってない", "(怒)", 3);
        row("passive", "怒られた", "(怒)", 3);
        row("phrase with particles", "試合に勝った", "(^_^)v", 3);
        row("known phrase, inflected", "頭に来た", "(怒)", 3, "(>_<)ヽ");
        row("noun with する", "寝坊した", "(>_<)ゞ", 3);
        row("situation: overtime", "残業", "(×.×)", 3);
        row("known word not split", "どういたしまして", "(^^)", 3, "（激）");
        row("no match inside a reading", "キター", "(^o^)", 3, "(T T)");
        row("equal before beginning", "いか", "くコ:彡", 1);
        row("beginning before containing", "とん", "田彡", 1);
        row("romaji ne/no", "neko", "(=^ ^=)", 1);
        row("romaji nn", "gomenn", "m(._.)m", 1);
        row("romaji n'", "ban'zai", "＼^o^／", 3);
        row("romaji doubled consonant", "nikkori", "<^^>", 1);
        row("romaji ny", "nyan", "(=^ ^=)", 1);
        row("romaji, Kunrei", "sikusiku", "(; ;) ", 1);
        row("romaji with a dash", "pi-su", "(^_^)v", 1);
        row("letter case", "SMILE", "(^^)", 3);
        row("English that spells kana too", "note", "φ(.. )", 1);
        row("English hi", "hi", "(^o^)丿", 1);
        row("katakana, half-width", "ﾋﾟｰｽ", "(^_^)v", 1);
        row("full-width letters", "ｚｚｚ", "(-o-)zzz", 3);
        row("kaomoji with blanks", "o^_^o", " (o^_^o) ", 1);
        row("romaji being typed", "ごめｎ", "m(._.)m", 1);
        row("a consonant being typed", "にｋ", "<^^>", 3);
        row("filler dropped", "ねこ の かお", "(=^ ^=)", 1);
        row("words written apart", "thank you", "m(__)m", 1);
        row("nothing fits", "ぱんだ", "", 0);
        row("no English word inside another", "weekend", "", 0);
    }
    void matching()
    {
        QFETCH(QString, query);
        QFETCH(QString, kaomoji);
        QFETCH(int, within);
        QFETCH(QString, notFound);
        const QStringList results = found(query);
        const QString shown = results.mid(0, 5).join(' ');
        if (within == 0)
            QVERIFY2(results.isEmpty(), qPrintable(shown));
        else
            QVERIFY2(results.mid(0, within).contains(kaomoji), qPrintable(shown));
        if (!notFound.isEmpty())
            QVERIFY2(!results.contains(notFound), qPrintable(shown));
    }

    // Text that folds to nothing, or to one mark, never finds the whole catalogue.
    void neverEverything()
    {
        const auto all = AllEntries().size();
        for (const char *query : {"-", "xtu", "ltsu", "ー", "っ", "~", "'", "(", "n", "a", "　",
                                  "ーー", "っっ", "〜〜", "ｰｰ", "「ー ー」"})
            QVERIFY2(Search(QString::fromUtf8(query)).size() < all, query);
    }

    // Every syllable as an input method reads it, and what it does with n, doubled consonants
    // and small kana.
    void romaji_data()
    {
        QTest::addColumn<QString>("latin");
        QTest::addColumn<QString>("kana");
        const std::pair<const char *, const char *> rows[] = {
            {"a i u e o", "あいうえお"},
            {"ka ki ku ke ko kya kyu kyo", "かきくけこきゃきゅきょ"},
            {"ga gi gu ge go gya gyu gyo", "がぎぐげごぎゃぎゅぎょ"},
            {"sa shi si su se so sha shu sho sya syu syo she",
             "さししすせそしゃしゅしょしゃしゅしょしぇ"},
            {"za ji zi zu ze zo ja ju jo zya jya je", "ざじじずぜぞじゃじゅじょじゃじゃじぇ"},
            {"ta chi ti tsu tu te to cha chu cho tya cyo che thi",
             "たちちつつてとちゃちゅちょちゃちょちぇてぃ"},
            {"da di du de do dhi", "だぢづでどでぃ"},
            {"na ni nu ne no nya nyu nyo", "なにぬねのにゃにゅにょ"},
            {"ha hi fu hu he ho hya hyu hyo fa fi fe fo",
             "はひふふへほひゃひゅひょふぁふぃふぇふぉ"},
            {"ba bi bu be bo bya byu byo", "ばびぶべぼびゃびゅびょ"},
            {"pa pi pu pe po pya pyu pyo", "ぱぴぷぺぽぴゃぴゅぴょ"},
            {"ma mi mu me mo mya myu myo", "まみむめもみゃみゅみょ"},
            {"ya yu yo wa wo wi we", "やゆよわをうぃうぇ"},
            {"ra ri ru re ro rya ryu ryo", "らりるれろりゃりゅりょ"},
            {"va vi vu ve vo", "ゔぁゔぃゔゔぇゔぉ"},
            {"xa li xu le xo xya lyu xyo xtu ltsu xwa", "ぁぃぅぇぉゃゅょっっゎ"},
            {"gomen gomenn konnichiha ban'zai kanojo", "ごめんごめんこんにちはばんざいかのじょ"},
            {"nikkori yatta matcha pi-su nyan", "にっこりやったまっちゃぴーすにゃん"},
        };
        for (const auto &[latin, kana] : rows)
            QTest::newRow(latin) << QString(latin) << QString(kana);
    }
    void romaji()
    {
        QFETCH(QString, latin);
        QFETCH(QString, kana);
        QString spelt;
        for (const QString &syllable : latin.split(' '))
            spelt += RomajiToHiragana(syllable).value_or("?");
        QCOMPARE(spelt, kana);
        QVERIFY(!RomajiToHiragana(u"cat"));
    }

    // Every row and every category has words of its own and fits a situation or names itself;
    // every situation has words and rows that fit it.
    void everyRowHasWords()
    {
        Situations fitted = 0;
        for (const KaomojiCategory &c : CategoryTable) {
            QVERIFY2(!c.words.empty(), qPrintable(QStringView(c.name).toString()));
            for (const auto &column : {c.left, c.right}) {
                for (const KaomojiRow &r : column) {
                    QVERIFY2(!r.words.empty() && !r.reading.empty(),
                             qPrintable(QStringView(r.kaomoji).toString()));
                    fitted |= r.fits;
                }
            }
        }
        for (const SituationWords &s : SituationTable()) {
            QVERIFY2(!s.words.empty() && (fitted & s.situation),
                     qPrintable(QStringView(s.name).toString()));
            QVERIFY(!found(QStringView(s.words).toString().section(' ', 0, 0)).isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(TestSearch)
#include "tst_search.moc"
