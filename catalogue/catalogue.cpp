#include "catalogue/catalogue.h"

#include <algorithm>

// The catalogue, category by category in catalogue order. Each column lists its rows top to
// bottom; every blank is U+0020 and belongs to the kaomoji.

namespace pukalo {

namespace {

// clang-format off
// 笑顔１
constexpr KaomojiRow k01Left[] = {
    {u"(^^)", u"標準ニコニコ"},
    {u"<^^>", u"にっこり"},
    {u"（＾＾）", u"全角でニコニコ"},
    {u"(^^", u"にこっ"},
    {u"(^o^)", u"わーい"},
    {u"(^_^)v", u"ピース！"},
};
constexpr KaomojiRow k01Right[] = {
    {u"(^^ゞ", u"でへ！（※）"},
    {u"<~~>", u"うっとり"},
    {u"v(^^)v", u"ダブルピース"},
    {u"!(^^)", u"ひらめいた！"},
    {u"(^o^)丿", u"やあ！"},
    {u"(^o^)v", u"ブイ！"},
};

// 笑顔２
constexpr KaomojiRow k02Left[] = {
    {u"＼(^o^)／", u"やっほ～"},
    {u"(^o^)/", u"はーい！"},
    {u"ヾ(^-^)ゞ", u"えへへ"},
    {u"＼^o^／", u"ばんざーい"},
    {u"（^ｖ^）", u"うふふ"},
    {u"(^◇^)", u"あははは"},
};
constexpr KaomojiRow k02Right[] = {
    {u"(^ー^)", u"ふーんだ！！"},
    {u"p(^_^)q", u"え＠ふふふ"},
    {u"○(^o^)。", u"ルンルン"},
    {u"(☆o☆) ", u"キラキラ"},
    {u"ｏ(^-^)ｏ", u"わくわく"},
    {u" (o^_^o) ", u"てれてれ"},
};

// 泣き顔１
constexpr KaomojiRow k03Left[] = {
    {u"(T T)", u"標準泣き"},
    {u"(; ;) ", u"しくしく"},
    {u"(ToT)", u"うるうる"},
    {u"（Ｔ^Ｔ） ", u"ぐすん"},
    {u"(T.T)", u"ほろり"},
    {u"(TvT)", u"えーん"},
};
constexpr KaomojiRow k03Right[] = {
    {u"（’_’）", u"どえ～ん"},
    {u"(＞。＜)", u"くやしい"},
    {u"(>_<)ヽ", u"いたた"},
    {u"(>_<)ゞ", u"しまった"},
    {u"（・・、)", u"さみしい"},
    {u"(×.×)", u"ばたんきゅー"},
};

// ごめんなさい
constexpr KaomojiRow k04Left[] = {
    {u"m(__)m", u"標準土下座"},
    {u"m(＿)m", u"深々とお辞儀"},
    {u"m(._.)m", u"ごめんなさい"},
    {u"(--)(__) ", u"ぺこり"},
    {u"m(-_-)m", u"反省中"},
    {u"m(T T)m", u"泣いて謝る"},
};
constexpr KaomojiRow k04Right[] = {
    {u"(v_v)", u"しゅん・・・"},
    {u" m(_ _;)m ", u"すみません"},
    {u" (__) ", u"失礼しました"},
    {u" (._.) ", u"しょぼん"},
    {u" m(ｰｰ)m ", u"お願いします"},
    {u" (ｰ_ｰ;) ", u"面目ない"},
};

// あらら・(汗)
constexpr KaomojiRow k05Left[] = {
    {u"(^^;)", u"標準あらら"},
    {u"(^_^;", u"ははは・・"},
    {u"(^^;;", u"汗たらり"},
    {u"(^^;;;", u"大汗"},
    {u"(＾-＾;", u"苦笑い"},
    {u"(^-^；", u"まいったな"},
};
constexpr KaomojiRow k05Right[] = {
    {u"(^^;・・）", u"あら・・・"},
    {u"(--)'", u"ちぇっ"},
    {u"o(;-_-;)o", u"こまった"},
    {u"^_^;", u"ごまかし笑い"},
    {u"（-ｏ-；）", u"ふう"},
    {u"(^_^;;?", u"あれれ？"},
};

// 単純
constexpr KaomojiRow k06Left[] = {
    {u"(-_-)", u"ども"},
    {u"(--)", u"むっ"},
    {u"(∵）", u"ぽかーん"},
    {u"(･_･)", u"じっ"},
    {u"(-.-)", u"う"},
    {u"(・_・)", u"きょとん"},
};
constexpr KaomojiRow k06Right[] = {
    {u"(-｡-)", u"どもっす"},
    {u"(-,-)", u"ふーん"},
    {u"(-_-)/~~", u"では"},
    {u"(=_=)", u"ねむい"},
    {u"[--:]", u"ロボット"},
    {u"(|.|)", u"無表情"},
};

// 漢字
constexpr KaomojiRow k07Left[] = {
    {u"(笑)", u"笑う時に使う"},
    {u"(怒)", u"怒った時に"},
    {u"(泣)", u"泣きたい時に"},
    {u"(楽)", u"楽しい時に"},
    {u"(喜)", u"うれしい時に"},
    {u"(哀)", u"悲しい時に"},
};
constexpr KaomojiRow k07Right[] = {
    {u"(爆)", u"爆笑の意味"},
    {u"(苦)", u"苦笑いの意味"},
    {u"(死)", u"もうだめの意味"},
    {u"(♪)", u"ごきげんの意味"},
    {u"(！)", u"びっくりの意味"},
    {u"(？)", u"疑問の意味"},
};

// バイバイ
constexpr KaomojiRow k08Left[] = {
    {u"(^o^)/~", u"標準バイバイ"},
    {u"(^-^)/~ ", u"またね"},
    {u"(^_^)/~", u"さようなら"},
    {u"(^^)/~~~", u"手をふる"},
    {u"(;_;)/~~~", u"泣いてバイバイ"},
    {u"(^.^)/~~~", u"また明日"},
};
constexpr KaomojiRow k08Right[] = {
    {u"(ｰｰ )/~~~ ", u"さらば・・・"},
    {u"(ｰｰゞ/~~~ ", u"それじゃ"},
    {u"(-_-)/~~~~", u"お先に"},
    {u"(-.-)y-~~~", u"一服してきます"},
    {u"  *_*/~~~", u"おやすみ"},
    {u"  ･o･/~~~ ", u"ばいば～い"},
};

// 気分
constexpr KaomojiRow k09Left[] = {
    {u"o(^o^)o", u"わくわく\""},
    {u"o(^-^)o", u"うきうき"},
    {u"＼(・_・)", u"おーい"},
    {u"(▼▼)", u"サングラス"},
    {u"(▼▼!)", u"決まった！"},
    {u"(o^ ^o)♪ ", u"ご機嫌"},
};
constexpr KaomojiRow k09Right[] = {
    {u"m(^0^)m♪", u"歌おう!"},
    {u"p(^_^)q", u"がんばれ！"},
    {u"(×o×) ", u"ばてた"},
    {u"(\\o\\)", u"踊ろう"},
    {u"(#_#)", u"ぼこぼこ"},
    {u"(Φ_Φ)", u"ねらってる"},
};

// 怒り
constexpr KaomojiRow k10Left[] = {
    {u"(-_-)#", u"ちょっと＃"},
    {u"(-_-#)", u"むかっ"},
    {u"(--ﾒ)", u"怒りマーク"},
    {u"(-_-X)", u"ぴきっ"},
    {u"(▼o▼)ｵﾗｵﾗ ", u"オラオラ"},
    {u"(｀_´ﾒ)", u"ぷんぷん"},
};
constexpr KaomojiRow k10Right[] = {
    {u"(-~-#)", u"ゆげが"},
    {u"(`_')", u"ふん！"},
    {u" o(- -#)o  ", u"ぐぬぬ"},
    {u"(o･･o)", u"むすっ"},
    {u"(･･#)", u"いらいら"},
    {u"(ｰｰ#)", u"怒ってます"},
};

// 驚き
constexpr KaomojiRow k11Left[] = {
    {u"(*_*)", u"ええ！"},
    {u"(@_@,", u"目が回る"},
    {u"(?_?)", u"はてな？"},
    {u"(＠o＠)", u"びっくり"},
    {u"(◎-◎)", u"目がまんまる"},
    {u")ﾟ0ﾟ(", u"ひえー"},
};
constexpr KaomojiRow k11Right[] = {
    {u"(・_・）？", u"えー"},
};

// キャラクター
constexpr KaomojiRow k12Left[] = {
    {u">゜)))彡", u"魚です。"},
    {u">ﾟ)))彡", u"小さい魚"},
    {u"θ", u"おたまじゃくし"},
    {u"_@／''", u"カタツムリ"},
    {u"...＠/", u"のろのろ進む"},
    {u"くコ:彡", u"イカ"},
};
constexpr KaomojiRow k12Right[] = {
    {u"田ﾐ", u"走る四角"},
    {u"Ｃ:。ミ", u"タコ"},
    {u"o⌒of", u"カメ"},
    {u"≦''≧", u"カニ"},
    {u"(▼_▼)o", u"こわもて"},
    {u"田彡", u"飛んでく四角"},
};

// その他１
constexpr KaomojiRow k13Left[] = {
    {u"(-o-?ゞ", u"なんか言いました？"},
    {u"(-o-)zzz", u"ぐーぐー"},
    {u"zzz...", u"すやすや"},
    {u"m(-- )zzz", u"居眠り"},
    {u"('_`)", u"しょぼーん"},
    {u"G(^o^)d", u"グッド！"},
};
constexpr KaomojiRow k13Right[] = {
    {u"(〒o〒)", u"どぅへへ～"},
    {u"φ(.. )", u"メモメモ"},
    {u"(=^ ^=)", u"ネコ"},
    {u"(^0^)wゞ", u"了解！"},
    {u"o(^-^)o", u"楽しみ！"},
    {u"*-*)w", u"ちらっ"},
};

// 笑顔３
constexpr KaomojiRow k14Left[] = {
    {u"(^｡^)", u"うわ～い"},
    {u"(^o^)/", u"こんにちは！"},
    {u"(^O^)y", u"やったね"},
    {u"(^*^)", u"ぽっ"},
    {u"(o^3^o)", u"ちゅっ"},
    {u"(^Q^)", u"おいしい！"},
};
constexpr KaomojiRow k14Right[] = {
    {u"(^0^)", u"らんらんらん"},
};

// 泣き顔２
constexpr KaomojiRow k15Left[] = {
    {u"(>_<)", u"だめだ～"},
    {u"(v_v)", u"しょんぼり"},
    {u"(→｡←)", u"涙をこらえる"},
    {u"(〒o〒)", u"号泣"},
    {u"（Ｔ^Ｔ）", u"ぐすぐす"},
    {u"（ＴＴ）", u"なみだ目"},
};
constexpr KaomojiRow k15Right[] = {
    {u"('_')", u"目が・・"},
};

// 漢字２
constexpr KaomojiRow k16Left[] = {
    {u"（汗）", u"あせっています"},
    {u"（恥）", u"恥ずかしい"},
    {u"（滅）", u"気が滅入る"},
    {u"（激）", u"激しく同意"},
    {u"（珍）", u"珍しいこと"},
    {u"（疑）", u"疑っています"},
};
constexpr KaomojiRow k16Right[] = {
    {u"（完）", u"終わりです"},
    {u"（藁）", u"（笑）と同じ"},
    {u"（微笑）", u"ほほえみ"},
    {u"（苦笑）", u"苦笑いです"},
};

} // namespace

const std::array<KaomojiCategory, 16> CategoryTable = {{
    // name, display position, catalogue number, left column, right column
    {u"笑顔１", 1, 1, k01Left, k01Right},
    {u"笑顔２", 2, 2, k02Left, k02Right},
    {u"泣き顔１", 4, 3, k03Left, k03Right},
    {u"ごめんなさい", 6, 4, k04Left, k04Right},
    {u"あらら・(汗)", 7, 5, k05Left, k05Right},
    {u"単純", 8, 6, k06Left, k06Right},
    {u"漢字", 9, 7, k07Left, k07Right},
    {u"バイバイ", 11, 8, k08Left, k08Right},
    {u"気分", 12, 9, k09Left, k09Right},
    {u"怒り", 14, 10, k10Left, k10Right},
    {u"驚き", 13, 11, k11Left, k11Right},
    {u"キャラクター", 15, 12, k12Left, k12Right},
    {u"その他１", 16, 13, k13Left, k13Right},
    {u"笑顔３", 3, 14, k14Left, k14Right},
    {u"泣き顔２", 5, 15, k15Left, k15Right},
    {u"漢字２", 10, 16, k16Left, k16Right},
}};
// clang-format on

std::vector<const KaomojiCategory *> CategoriesInDisplayOrder()
{
    std::vector<const KaomojiCategory *> order;
    for (const KaomojiCategory &category : CategoryTable)
        order.push_back(&category);
    std::sort(order.begin(), order.end(),
              [](const auto *a, const auto *b) { return a->displayPosition < b->displayPosition; });
    return order;
}

} // namespace pukalo
