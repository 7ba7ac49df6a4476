#include "catalogue/romaji.h"

#include <QHash>

namespace pukalo {

namespace {
// clang-format off
constexpr std::pair<const char *, const char16_t *> kSyllables[] = {
    {"a", u"あ"}, {"i", u"い"}, {"u", u"う"}, {"e", u"え"}, {"o", u"お"},
    {"ka", u"か"}, {"ki", u"き"}, {"ku", u"く"}, {"ke", u"け"}, {"ko", u"こ"},
    {"kya", u"きゃ"}, {"kyu", u"きゅ"}, {"kyo", u"きょ"},
    {"ga", u"が"}, {"gi", u"ぎ"}, {"gu", u"ぐ"}, {"ge", u"げ"}, {"go", u"ご"},
    {"gya", u"ぎゃ"}, {"gyu", u"ぎゅ"}, {"gyo", u"ぎょ"},
    {"sa", u"さ"}, {"si", u"し"}, {"shi", u"し"}, {"su", u"す"}, {"se", u"せ"}, {"so", u"そ"},
    {"sha", u"しゃ"}, {"shu", u"しゅ"}, {"sho", u"しょ"}, {"she", u"しぇ"},
    {"sya", u"しゃ"}, {"syu", u"しゅ"}, {"syo", u"しょ"},
    {"za", u"ざ"}, {"zi", u"じ"}, {"ji", u"じ"}, {"zu", u"ず"}, {"ze", u"ぜ"}, {"zo", u"ぞ"},
    {"ja", u"じゃ"}, {"ju", u"じゅ"}, {"jo", u"じょ"}, {"je", u"じぇ"},
    {"zya", u"じゃ"}, {"zyu", u"じゅ"}, {"zyo", u"じょ"}, {"jya", u"じゃ"}, {"jyu", u"じゅ"}, {"jyo", u"じょ"},
    {"ta", u"た"}, {"ti", u"ち"}, {"chi", u"ち"}, {"tu", u"つ"}, {"tsu", u"つ"}, {"te", u"て"}, {"to", u"と"},
    {"cha", u"ちゃ"}, {"chu", u"ちゅ"}, {"cho", u"ちょ"}, {"che", u"ちぇ"},
    {"tya", u"ちゃ"}, {"tyu", u"ちゅ"}, {"tyo", u"ちょ"}, {"cya", u"ちゃ"}, {"cyu", u"ちゅ"}, {"cyo", u"ちょ"},
    {"thi", u"てぃ"}, {"dhi", u"でぃ"},
    {"da", u"だ"}, {"di", u"ぢ"}, {"du", u"づ"}, {"de", u"で"}, {"do", u"ど"},
    {"dya", u"ぢゃ"}, {"dyu", u"ぢゅ"}, {"dyo", u"ぢょ"},
    {"na", u"な"}, {"ni", u"に"}, {"nu", u"ぬ"}, {"ne", u"ね"}, {"no", u"の"},
    {"nya", u"にゃ"}, {"nyu", u"にゅ"}, {"nyo", u"にょ"},
    {"ha", u"は"}, {"hi", u"ひ"}, {"hu", u"ふ"}, {"fu", u"ふ"}, {"he", u"へ"}, {"ho", u"ほ"},
    {"hya", u"ひゃ"}, {"hyu", u"ひゅ"}, {"hyo", u"ひょ"},
    {"fa", u"ふぁ"}, {"fi", u"ふぃ"}, {"fe", u"ふぇ"}, {"fo", u"ふぉ"},
    {"ba", u"ば"}, {"bi", u"び"}, {"bu", u"ぶ"}, {"be", u"べ"}, {"bo", u"ぼ"},
    {"bya", u"びゃ"}, {"byu", u"びゅ"}, {"byo", u"びょ"},
    {"pa", u"ぱ"}, {"pi", u"ぴ"}, {"pu", u"ぷ"}, {"pe", u"ぺ"}, {"po", u"ぽ"},
    {"pya", u"ぴゃ"}, {"pyu", u"ぴゅ"}, {"pyo", u"ぴょ"},
    {"ma", u"ま"}, {"mi", u"み"}, {"mu", u"む"}, {"me", u"め"}, {"mo", u"も"},
    {"mya", u"みゃ"}, {"myu", u"みゅ"}, {"myo", u"みょ"},
    {"ya", u"や"}, {"yu", u"ゆ"}, {"yo", u"よ"},
    {"ra", u"ら"}, {"ri", u"り"}, {"ru", u"る"}, {"re", u"れ"}, {"ro", u"ろ"},
    {"rya", u"りゃ"}, {"ryu", u"りゅ"}, {"ryo", u"りょ"},
    {"wa", u"わ"}, {"wi", u"うぃ"}, {"we", u"うぇ"}, {"wo", u"を"},
    {"va", u"ゔぁ"}, {"vi", u"ゔぃ"}, {"vu", u"ゔ"}, {"ve", u"ゔぇ"}, {"vo", u"ゔぉ"},
    {"xa", u"ぁ"}, {"xi", u"ぃ"}, {"xu", u"ぅ"}, {"xe", u"ぇ"}, {"xo", u"ぉ"},
    {"la", u"ぁ"}, {"li", u"ぃ"}, {"lu", u"ぅ"}, {"le", u"ぇ"}, {"lo", u"ぉ"},
    {"xya", u"ゃ"}, {"xyu", u"ゅ"}, {"xyo", u"ょ"}, {"lya", u"ゃ"}, {"lyu", u"ゅ"}, {"lyo", u"ょ"},
    {"xtu", u"っ"}, {"ltu", u"っ"}, {"xtsu", u"っ"}, {"ltsu", u"っ"}, {"xwa", u"ゎ"}, {"lwa", u"ゎ"},
    {"-", u"ー"},
};
// clang-format on

const QHash<QString, QString> &syllables()
{
    static const QHash<QString, QString> table = [] {
        QHash<QString, QString> t;
        for (const auto &[latin, kana] : kSyllables)
            t.insert(QString::fromLatin1(latin), QString::fromUtf16(kana));
        return t;
    }();
    return table;
}

bool isVowel(QChar c)
{
    return QStringView(u"aiueo").contains(c);
}
} // namespace

std::optional<QString> RomajiToHiragana(QStringView latin)
{
    QString kana;
    for (qsizetype i = 0; i < latin.size();) {
        const QChar c = latin[i];
        const QChar next = i + 1 < latin.size() ? latin[i + 1] : QChar();
        if (c == u'n' && !isVowel(next) && next != u'y') {
            // ん: "nn" (unless the second n starts na, ni, ...), "n'", or n before a consonant
            // or at the end.
            const QChar after = i + 2 < latin.size() ? latin[i + 2] : QChar();
            kana += u'ん';
            i += (next == u'n' && !isVowel(after) && after != u'y') || next == u'\'' ? 2 : 1;
            continue;
        }
        if (c.isLetter() && !isVowel(c) && (next == c || (c == u't' && next == u'c'))) {
            kana += u'っ'; // a doubled consonant, and "tch" as in matcha
            ++i;
            continue;
        }
        qsizetype length = 4;
        for (; length > 0; --length) {
            if (i + length > latin.size())
                continue;
            if (const auto found = syllables().constFind(latin.mid(i, length).toString());
                found != syllables().constEnd()) {
                kana += *found;
                break;
            }
        }
        if (length == 0)
            return std::nullopt;
        i += length;
    }
    return kana;
}

} // namespace pukalo
