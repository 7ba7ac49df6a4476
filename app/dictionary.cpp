#include "app/dictionary.h"

#include "catalogue/search.h"

#include <QSet>

namespace pukalo {

namespace {
// Readings whose ordinary first conversion stays first when their kaomoji come as Mozc's part of
// speech 顔文字 (measured with Mozc 2.28 by bench/quality/mozc_firm_words.py, which prints this
// list). There the kaomoji are offered right after the word and never joined to the kana around
// them. Every other reading (しまった, てれる, ばんざい: words whose own conversion Mozc ranks
// weaker) comes as 接頭語, which Mozc never makes the first conversion of a word on its own.
// clang-format off
constexpr char16_t kFirmWords[] =
    u"あい あいさつ あいであ あがり あがる あこがれ あした あせ あせる あはは あやしい あやまる あら ありがと ありがとう "
    u"ありがとうございます あれ あんしん あんど いいね いいよ いか いかく いかり いきもの いじょう いそがしい いそぐ いたい "
    u"いただきます いびき いや いやされる いやし いやだ いらいら いわい いわう うお うきうき うける うそ うた うたう うたがい "
    u"うたがう うっかり うっとり うまい うみ うれしい うんざり うーむ うーん ええ えがお えっ えー おいしい おいわい おうえん "
    u"おかえり おくれる おけ おこ おことわり おこる おしまい おそい おそろしい おだやか おちこむ おっけー おつ おつかれさま おどる "
    u"おどろき おどろく おなじく おねがい おねがいします おはよう おはようございます おびえる おめ おめでと おめでとう "
    u"おめでとうございます おもいつく おもしろい おもろい おや おやすみ おやすみなさい おやつ おれい おわった おわび おわり おわる "
    u"おんがく おんぷ かえる かく かくれる かたおもい かち かっこいい かつ かなしい かなしみ かに かみ かめ からおけ かわいい かん "
    u"かんがえる かんしゃ かんじ かんどう かんぱい かんりょう がっかり がまん がんばる がんばれ きあい きかい きす きたく きちょう "
    u"きぶん きまった きめる きゃらくたー きゅう きゅうけい きょうみない きょひ きらきら きらり きれる きろく ぎもん くう くさ "
    u"くしょう くそ くやしい くるしい くーる ぐっすり ぐっど ぐるぐる けが けっこん けんか げき こい こうふん こくはく ことわる "
    u"こどく こまった こまる こわい こんにちは こんにちわ こんばんは こんばんわ こんらん ごうかく ごうきゅう ごきげん ごちそうさま "
    u"ごはん ごまかす ごめん ごめんなさい さいこう さかな さびしい さみしい さようなら さよなら さらば さんきゅー さんくす さんぐらす "
    u"さんせい ざんねん しあわせ しかく しかたない しっぱい しつれい しぬ しゃざい しゅうりょう しゅく しゅくだい しゅくふく しゅん "
    u"しょう しょうち しょうり しょくじ しょっく しらない しらん しんけん しんどい しんぱい しんぷる じっと じまん じゃあ "
    u"すいぞくかん すいません すいみん すき すごい すすむ すてき すまいる すまん すみません せいこう せつない ぜつぼう ぜんかく "
    u"そうそう そのた それでは それな たいきん たいせつ たおれる たこ たしかに たすかる ただいま たのしい たのしみ たのしむ たのむ "
    u"たばこ たべもの たべる ためいき たんじゅん たんじょうび だいすき だっしゅ だめ だるい だんす ちいさい ちこく ちょっと ちら "
    u"ちらっ ちん つかれ つかれた つかれる つらい つり ていじ てんしょん では でーと ときめき ときめく とくい とぶ どうい "
    u"どうしよう どうぶつ どうも どきどき ないす なき なく なぜ なぞ なっとく なに なみだ なやみ なやむ なるほど なんか なんで "
    u"なんと にこ にこにこ にゃん にゃんこ ねえ ねこ ねむい ねむる ねらい ねらう ねる のぞく のんびり のーと はぁ はあ はい "
    u"はげしい はしる はじ はじめまして はずかしい はっぴー はてな はは ははは はんせい はーと ばいばい ばく ばくしょう ばーすでー "
    u"ぱーてぃー ひえ ひさしぶり ひっき ひといき ひとやすみ ひょうじゅん ひるね ひろう びしょう びっくり ぴんち ぴーす ふぁいと "
    u"ふあん ふぅ ふう ふしぎ ふとん ふふふ ふまん ふむ ふる ふん ぶい ぶるー へんじ べつに べんきょう ぺっと ほっ ほっこり "
    u"ほっと ほのぼの ほほえむ ほんと まじ また またね まだ まちあわせ まちがい まちがえる まちどおしい まったり まつ まぶしい "
    u"まよう まんぞく まんまる みす みつめる みる むかつく むり めいわく めが めし めずらしい めまい めも もうしわけない やぁ "
    u"やくざ やった やったね やばい やられた やるき ゆううつ ゆうしょう ゆかい ゆっくり ゆるす よう よし よだれ よっしゃ よぶ "
    u"よろこび よろこぶ よろしく らく らぶ らぶらぶ りょうかい れあ れい ろぼ ろぼっと わかった わからない わからん わかりました "
    u"わかる わかれ わかれる わくわく わすれもの わすれる わら わらい わらう わらえる わーい";
// clang-format on
} // namespace

std::vector<DictionaryLine> InputMethodDictionary()
{
    static const QSet<QString> firm = [] {
        QSet<QString> set;
        for (const QString &w : QString::fromUtf16(kFirmWords).split(u' ', Qt::SkipEmptyParts))
            set.insert(w);
        return set;
    }();
    const std::vector<Reading> readings = InputMethodReadings(); // in order of their readings
    std::vector<DictionaryLine> lines;
    for (size_t i = 0; i < readings.size(); ++i) {
        const Reading &r = readings[i];
        const bool isFirm = firm.contains(r.reading);
        // 接頭語 is joined to the kana after it: てれ would offer 「(^^ゞる」 for てれる. A longer
        // reading that begins with it offers the kaomoji instead.
        if (!isFirm && i + 1 < readings.size() && readings[i + 1].reading.startsWith(r.reading))
            continue;
        const QString partOfSpeech = isFirm ? QStringLiteral("顔文字") : QStringLiteral("接頭語");
        for (const CatalogueEntry &e : r.entries)
            lines.push_back({r.reading, QStringView(e.row->kaomoji).toString(), partOfSpeech,
                             QStringView(e.row->description).toString()});
    }
    return lines;
}

} // namespace pukalo
