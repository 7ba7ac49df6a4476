#include "catalogue/inflection.h"

#include <QSet>
#include <span>
#include <utility>

namespace pukalo {

namespace {
struct Rule
{
    const char16_t *ending;
    const char16_t *dictionaryEnding;
};

// clang-format off
// Each rule undoes one step; a word may take up to three (泣いてた: てた → て, いて → く).
constexpr Rule kJapanese[] = {
    // Helpers after the て-form, and the polite and negative endings, back to a simpler form.
    {u"ている", u"て"}, {u"ていた", u"て"}, {u"ています", u"て"}, {u"ていました", u"て"},
    {u"てる", u"て"}, {u"てた", u"て"}, {u"てます", u"て"}, {u"てました", u"て"},
    {u"ちゃう", u"て"}, {u"ちゃった", u"て"}, {u"てしまう", u"て"}, {u"てしまった", u"て"},
    {u"ていく", u"て"}, {u"てく", u"て"}, {u"ておく", u"て"}, {u"とく", u"て"},
    {u"でいる", u"で"}, {u"でいた", u"で"}, {u"でる", u"で"}, {u"でた", u"で"}, {u"でます", u"で"},
    {u"じゃう", u"で"}, {u"じゃった", u"で"}, {u"でく", u"で"}, {u"でいく", u"で"},
    {u"てない", u"て"}, {u"ていない", u"て"}, {u"てなかった", u"て"}, {u"でない", u"で"},
    {u"られる", u"る"}, {u"られた", u"る"}, {u"われる", u"う"}, {u"われた", u"う"},
    {u"かれる", u"く"}, {u"かれた", u"く"},
    {u"ました", u"ます"}, {u"ません", u"ます"}, {u"ませんでした", u"ます"}, {u"ましょう", u"ます"},
    {u"なかった", u"ない"}, {u"なくて", u"ない"}, {u"なきゃ", u"ない"},
    {u"たかった", u"たい"}, {u"たくない", u"たい"}, {u"たくて", u"たい"},
    {u"たら", u"た"}, {u"だら", u"だ"},
    // A noun or a な-adjective with the copula, and the particles that end a sentence.
    {u"です", u""}, {u"でした", u""}, {u"だ", u""}, {u"だった", u""}, {u"じゃない", u""},
    {u"ね", u""}, {u"よ", u""}, {u"よね", u""}, {u"な", u""}, {u"ぞ", u""}, {u"わ", u""},
    // A noun made a verb with する (寝坊した, 遅刻しそう), back to the noun.
    {u"する", u""}, {u"した", u""}, {u"して", u""}, {u"しない", u""}, {u"しそう", u""},
    // The て- and た-forms.
    {u"いて", u"く"}, {u"いた", u"く"}, {u"いで", u"ぐ"}, {u"いだ", u"ぐ"},
    {u"して", u"す"}, {u"した", u"す"}, {u"して", u"する"}, {u"した", u"する"},
    {u"って", u"う"}, {u"って", u"つ"}, {u"って", u"る"}, {u"って", u"く"},
    {u"った", u"う"}, {u"った", u"つ"}, {u"った", u"る"}, {u"った", u"く"},
    {u"んで", u"む"}, {u"んで", u"ぬ"}, {u"んで", u"ぶ"}, {u"んだ", u"む"}, {u"んだ", u"ぬ"}, {u"んだ", u"ぶ"},
    {u"きて", u"くる"}, {u"きた", u"くる"}, {u"て", u"る"}, {u"た", u"る"},
    // The negative.
    {u"かない", u"く"}, {u"がない", u"ぐ"}, {u"さない", u"す"}, {u"たない", u"つ"}, {u"なない", u"ぬ"},
    {u"ばない", u"ぶ"}, {u"まない", u"む"}, {u"らない", u"る"}, {u"わない", u"う"}, {u"ない", u"る"},
    {u"しない", u"する"}, {u"こない", u"くる"},
    // The stem, alone (泣き) or before ます, たい, そう, すぎる, ながら, なさい.
    {u"ます", u""}, {u"たい", u""}, {u"そう", u""}, {u"すぎる", u""}, {u"ながら", u""}, {u"なさい", u""},
    {u"ます", u"る"}, {u"たい", u"る"}, {u"そう", u"る"}, {u"すぎる", u"る"}, {u"ながら", u"る"},
    {u"なさい", u"る"}, {u"よう", u"る"},
    {u"き", u"く"}, {u"ぎ", u"ぐ"}, {u"し", u"す"}, {u"ち", u"つ"}, {u"に", u"ぬ"}, {u"び", u"ぶ"},
    {u"み", u"む"}, {u"り", u"る"}, {u"い", u"う"}, {u"し", u"する"}, {u"き", u"くる"},
    // The volitional and the imperative.
    {u"こう", u"く"}, {u"ごう", u"ぐ"}, {u"そう", u"す"}, {u"とう", u"つ"}, {u"のう", u"ぬ"},
    {u"ぼう", u"ぶ"}, {u"もう", u"む"}, {u"ろう", u"る"}, {u"おう", u"う"}, {u"よう", u"る"},
    {u"け", u"く"}, {u"げ", u"ぐ"}, {u"せ", u"す"}, {u"ね", u"ぬ"}, {u"べ", u"ぶ"}, {u"め", u"む"},
    {u"れ", u"る"}, {u"え", u"う"}, {u"ろ", u"る"},
    // い-adjectives.
    {u"かった", u"い"}, {u"くない", u"い"}, {u"くなかった", u"い"}, {u"くて", u"い"}, {u"く", u"い"},
    {u"さ", u"い"}, {u"そう", u"い"}, {u"すぎる", u"い"}, {u"ければ", u"い"},
};

constexpr Rule kEnglish[] = {
    {u"ies", u"y"}, {u"es", u""}, {u"s", u""}, {u"ied", u"y"}, {u"ed", u""}, {u"ed", u"e"},
    {u"d", u""}, {u"ing", u""}, {u"ing", u"e"}, {u"ily", u"y"}, {u"ly", u""},
};
// clang-format on

bool latin(const QString &word)
{
    for (QChar c : word) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

bool isDictionaryEnding(QStringView ending)
{
    for (QStringView step : {u"", u"て", u"で", u"た", u"だ", u"ます", u"ない", u"たい"}) {
        if (ending == step)
            return false;
    }
    return true;
}

bool consonant(QChar c)
{
    return c.isLetter() && !QStringView(u"aeiou").contains(c);
}
} // namespace

QStringList DictionaryForms(const QString &word)
{
    const bool english = latin(word);
    const std::span<const Rule> rules = english ? std::span<const Rule>(kEnglish) : kJapanese;
    // A stem this long is left at least: one kana (見る), two letters.
    const qsizetype shortest = english ? 2 : 1;
    QSet<QString> seen{word};
    QStringList forms, round{word};
    for (int step = 0; step < (english ? 1 : 3) && !round.isEmpty(); ++step) {
        QStringList next;
        for (const QString &form : std::as_const(round)) {
            for (const Rule &rule : rules) {
                const QStringView ending(rule.ending);
                if (!form.endsWith(ending) || form.size() - ending.size() < shortest)
                    continue;
                QString stem = form.chopped(ending.size());
                QStringList made{stem + QString::fromUtf16(rule.dictionaryEnding)};
                // running, stopped: the doubled consonant was the ending's.
                if (english && *rule.dictionaryEnding == 0 && stem.size() > 2 &&
                    stem.back() == stem[stem.size() - 2] && consonant(stem.back()))
                    made << stem.chopped(1);
                for (const QString &m : std::as_const(made)) {
                    if (!m.isEmpty() && !seen.contains(m)) {
                        seen.insert(m);
                        forms << m;
                        // A dictionary form is where a word ends: taken further, おどろく
                        // would become the adjective おどろい and that the verb おどろう.
                        if (!english && !isDictionaryEnding(rule.dictionaryEnding))
                            next << m;
                    }
                }
            }
        }
        round = next;
    }
    return forms;
}

} // namespace pukalo
