#include "catalogue/catalogue.h"

#include <algorithm>

// The catalogue, category by category in catalogue order. Each column lists its rows top to
// bottom; every blank is U+0020 and belongs to the kaomoji. Each row: the kaomoji, its
// description and the description's reading; then what the row is found by: its own words (what
// it shows, says or is called), the situations it fits best, and those it may also do for.

namespace pukalo {

namespace {
using namespace situation;

// clang-format off
// 笑顔１
constexpr KaomojiRow k01Left[] = {
    {u"(^^)", u"標準ニコニコ", u"ひょうじゅんにこにこ",
     u"にこにこ にこ ひょうじゅん 標準 smile", Smile | Content, Joy | Greeting | Thanks | Agreement},
    {u"<^^>", u"にっこり", u"にっこり",
     u"にっこり にこ にこにこ smile", Smile | Content, Joy | Greeting | Thanks},
    {u"（＾＾）", u"全角でニコニコ", u"ぜんかくでにこにこ",
     u"にこにこ にこ ぜんかく 全角 smile", Smile | Content, Joy | Greeting | Thanks},
    {u"(^^", u"にこっ", u"にこっ",
     u"にこっ にこ にこにこ smile", Smile, Joy | Greeting},
    {u"(^o^)", u"わーい", u"わーい",
     u"わーい うれしい 嬉しい よろこぶ 喜ぶ happy", Joy | Smile | Payday, Congratulations | Excitement | Victory},
    {u"(^_^)v", u"ピース！", u"ぴーす",
     u"ぴーす ぶい ぴーすさいん peace victory", Victory | Joy | Payday, Smile | Agreement},
};
constexpr KaomojiRow k01Right[] = {
    {u"(^^ゞ", u"でへ！（※）", u"でへ",
     u"でへ てれる 照れる てへ あたまをかく shy", Shy, Oops | Laughter},
    {u"<~~>", u"うっとり", u"うっとり",
     u"うっとり ゆめごこち 夢心地 dreamy", Dreamy | Love | Content, Joy},
    {u"v(^^)v", u"ダブルピース", u"だぶるぴーす",
     u"だぶるぴーす ぴーす ぶい peace victory", Victory | Joy | Payday, Congratulations},
    {u"!(^^)", u"ひらめいた！", u"ひらめいた",
     u"ひらめく 閃く ひらめいた ひらめき あいであ idea", Thinking, Surprise},
    {u"(^o^)丿", u"やあ！", u"やあ",
     u"やあ やぁ こんにちは おっす hello hi", Greeting, Yes | Wave},
    {u"(^o^)v", u"ブイ！", u"ぶい",
     u"ぶい ぴーす かち 勝ち victory", Victory | Joy | Payday, Agreement},
};

// 笑顔２
constexpr KaomojiRow k02Left[] = {
    {u"＼(^o^)／", u"やっほ～", u"やっほー",
     u"やっほー やっほう やった ばんざい 万歳 おわた オワタ yay", Joy | Congratulations | Victory | Payday, Greeting | Despair | Excitement},
    {u"(^o^)/", u"はーい！", u"はーい",
     u"はーい へんじ 返事 はい てをあげる 手を挙げる yes", Yes | Greeting, Agreement | Joy},
    {u"ヾ(^-^)ゞ", u"えへへ", u"えへへ",
     u"えへへ てれる 照れる てれわらい shy", Shy | Laughter, Joy},
    {u"＼^o^／", u"ばんざーい", u"ばんざーい",
     u"ばんざい ばんざーい 万歳 やった よろこぶ 喜ぶ hooray", Congratulations | Joy | Victory | Payday, Excitement},
    {u"（^ｖ^）", u"うふふ", u"うふふ",
     u"うふふ わらう 笑う ふふ giggle", Laughter | Smile | Content, Shy | Smug},
    {u"(^◇^)", u"あははは", u"あははは",
     u"あはは あははは わらう 笑う おおわらい 大笑い laugh", Laughter, Joy},
};
constexpr KaomojiRow k02Right[] = {
    {u"(^ー^)", u"ふーんだ！！", u"ふーんだ",
     u"ふーんだ ふん すねる 拗ねる pout", Pout, Shrug | Smug},
    {u"p(^_^)q", u"え＠ふふふ", u"えふふふ",
     u"ふふふ がんばる 頑張る わくわく", Cheer, Laughter | Excitement | Exam},
    {u"○(^o^)。", u"ルンルン", u"るんるん",
     u"るんるん たのしい 楽しい ごきげん ご機嫌 happy", Joy | Music | Payday, Excitement | Content},
    {u"(☆o☆) ", u"キラキラ", u"きらきら",
     u"きらきら あこがれ 憧れ sparkle", Dreamy | Excitement, Love | Joy},
    {u"ｏ(^-^)ｏ", u"わくわく", u"わくわく",
     u"わくわく たのしみ 楽しみ うきうき excited", Excitement, Joy},
    {u" (o^_^o) ", u"てれてれ", u"てれてれ",
     u"てれてれ てれる 照れる はずかしい 恥ずかしい shy", Shy, Love | Smile},
};

// 泣き顔１
constexpr KaomojiRow k03Left[] = {
    {u"(T T)", u"標準泣き", u"ひょうじゅんなき",
     u"なく 泣く なき なみだ 涙 ひょうじゅん 標準 cry", Crying | Sadness | Heartbreak},
    {u"(; ;) ", u"しくしく", u"しくしく",
     u"しくしく なく 泣く なみだ 涙 cry", Crying | Sadness | Heartbreak},
    {u"(ToT)", u"うるうる", u"うるうる",
     u"ぴえん うるうる なく 泣く なみだ 涙 かんどう 感動 cry", Crying | Heartbreak, Sadness | Thanks | Joy},
    {u"（Ｔ^Ｔ） ", u"ぐすん", u"ぐすん",
     u"ぐすん なく 泣く なみだ 涙 cry", Crying | Sadness | Heartbreak},
    {u"(T.T)", u"ほろり", u"ほろり",
     u"ぴえん ほろり なく 泣く なみだ 涙 かんどう 感動 tear", Crying | Heartbreak, Sadness},
    {u"(TvT)", u"えーん", u"えーん",
     u"ぱおん えーん なく 泣く なみだ 涙 cry", Crying | Sadness | Heartbreak},
};
constexpr KaomojiRow k03Right[] = {
    {u"（’_’）", u"どえ～ん", u"どえーん",
     u"ぱおん なく 泣く ないちゃう cry", Crying | Heartbreak, Sadness | Despair},
    {u"(＞。＜)", u"くやしい", u"くやしい",
     u"くやしい 悔しい くやし むねん 無念 frustrated", Frustration, Crying | Anger},
    {u"(>_<)ヽ", u"いたた", u"いたた",
     u"いたた いたい 痛い いてて ouch", Pain | Sick, Oops},
    {u"(>_<)ゞ", u"しまった", u"しまった",
     u"しまった しっぱい 失敗 みす oops", Oops | Oversleep, Sweat | Pain},
    {u"（・・、)", u"さみしい", u"さみしい",
     u"さみしい 寂しい さびしい こどく 孤独 lonely", Sadness, Crying | Heartbreak},
    {u"(×.×)", u"ばたんきゅー", u"ばたんきゅー",
     u"ばたんきゅー つかれた 疲れた ばてた たおれる 倒れる exhausted", Tired | Overtime, Despair | Sleep | Dizzy | Sick},
};

// ごめんなさい
constexpr KaomojiRow k04Left[] = {
    {u"m(__)m", u"標準土下座", u"ひょうじゅんどげざ",
     u"どげざ 土下座 ひょうじゅん 標準 sorry", Apology | Please | Thanks, Help},
    {u"m(＿)m", u"深々とお辞儀", u"ふかぶかとおじぎ",
     u"おじぎ お辞儀 ふかぶか 深々 れい 礼 bow", Please | Thanks | Apology, Greeting | Help},
    {u"m(._.)m", u"ごめんなさい", u"ごめんなさい",
     u"ごめんなさい ごめん ごめんね sorry", Apology, Please},
    {u"(--)(__) ", u"ぺこり", u"ぺこり",
     u"ぺこり おじぎ お辞儀 えしゃく 会釈 bow", Please | Thanks | Greeting, Apology | Help},
    {u"m(-_-)m", u"反省中", u"はんせいちゅう",
     u"はんせい 反省 はんせいちゅう 反省中 sorry", Apology, Sadness},
    {u"m(T T)m", u"泣いて謝る", u"ないてあやまる",
     u"なく 泣く あやまる 謝る ないてあやまる sorry", Apology | Crying | Heartbreak, Sadness},
};
constexpr KaomojiRow k04Right[] = {
    {u"(v_v)", u"しゅん・・・", u"しゅん",
     u"しゅん しょんぼり おちこむ 落ち込む はんせい 反省 down", Sadness, Apology | Gloom | Heartbreak},
    {u" m(_ _;)m ", u"すみません", u"すみません",
     u"すみません すいません sorry", Apology, Sweat | Please},
    {u" (__) ", u"失礼しました", u"しつれいしました",
     u"しつれい 失礼 しつれいしました 失礼しました おじぎ お辞儀 sorry", Apology | Please, Thanks | Farewell | Help},
    {u" (._.) ", u"しょぼん", u"しょぼん",
     u"しょぼん しょんぼり おちこむ 落ち込む がっかり down", Sadness, Apology | Heartbreak},
    {u" m(ｰｰ)m ", u"お願いします", u"おねがいします",
     u"おねがい お願い おねがいします お願いします たのむ 頼む please", Please | Thanks, Apology | Greeting | Help},
    {u" (ｰ_ｰ;) ", u"面目ない", u"めんぼくない",
     u"めんぼく 面目 めんぼくない 面目ない もうしわけない 申し訳ない sorry", Apology, Sweat},
};

// あらら・(汗)
constexpr KaomojiRow k05Left[] = {
    {u"(^^;)", u"標準あらら", u"ひょうじゅんあらら",
     u"あらら あせ 汗 ひょうじゅん 標準 sweat", Sweat, Oops | Trouble},
    {u"(^_^;", u"ははは・・", u"ははは",
     u"ははは あせ 汗 にがわらい 苦笑い ごまかす", Sweat, Laughter | Oops},
    {u"(^^;;", u"汗たらり", u"あせたらり",
     u"たらり あせ 汗 ひやあせ 冷や汗", Sweat, Trouble | Fear},
    {u"(^^;;;", u"大汗", u"おおあせ",
     u"おおあせ 大汗 あせ 汗 ひやあせ 冷や汗", Sweat, Trouble | Oops | Fear},
    {u"(＾-＾;", u"苦笑い", u"にがわらい",
     u"にがわらい 苦笑い くしょう 苦笑 wry", Sweat, Laughter},
    {u"(^-^；", u"まいったな", u"まいったな",
     u"まいった 参った まいったな", Sweat | Trouble | Exam | Help, Oops},
};
constexpr KaomojiRow k05Right[] = {
    {u"(^^;・・）", u"あら・・・", u"あら",
     u"あら あらら おや", Sweat, Surprise | Oops},
    {u"(--)'", u"ちぇっ", u"ちぇっ",
     u"ちぇっ ちぇ ふまん 不満 tsk", Frustration | Pout, Anger},
    {u"o(;-_-;)o", u"こまった", u"こまった",
     u"こまる 困る こまった 困った なやむ 悩む trouble", Trouble | Exam | Help, Sweat | Thinking},
    {u"^_^;", u"ごまかし笑い", u"ごまかしわらい",
     u"ごまかす 誤魔化す ごまかし笑い", Sweat, Laughter | Oops},
    {u"（-ｏ-；）", u"ふう", u"ふう",
     u"ふう ためいき ため息 ほっと sigh", Sigh | Tired | Overtime, Sweat | Sick},
    {u"(^_^;;?", u"あれれ？", u"あれれ",
     u"あれれ あれ あれっ ふしぎ 不思議", Confusion, Sweat | Surprise},
};

// 単純
constexpr KaomojiRow k06Left[] = {
    {u"(-_-)", u"ども", u"ども",
     u"ども どうも", Greeting, Thanks | Shrug},
    {u"(--)", u"むっ", u"むっ",
     u"むっ むっと ふまん 不満", Anger | Pout, Shrug},
    {u"(∵）", u"ぽかーん", u"ぽかーん",
     u"ぽかーん ぽかん ぼーぜん 呆然 blank", Surprise, Confusion | Shrug},
    {u"(･_･)", u"じっ", u"じっ",
     u"じっ じっと みつめる 見つめる stare", Stare | Waiting, Thinking},
    {u"(-.-)", u"う", u"う",
     u"う ううん ねむい 眠い", Shrug, Sleep | Tired},
    {u"(・_・)", u"きょとん", u"きょとん",
     u"きょとん ぽかん blank", Confusion, Surprise},
};
constexpr KaomojiRow k06Right[] = {
    {u"(-｡-)", u"どもっす", u"どもっす",
     u"どもっす どうも ちーす", Greeting, Thanks},
    {u"(-,-)", u"ふーん", u"ふーん",
     u"ふーん ふん きょうみない 興味ない", Shrug, Thinking | Doubt},
    {u"(-_-)/~~", u"では", u"では",
     u"では じゃあ ではでは bye", Farewell, Done},
    {u"(=_=)", u"ねむい", u"ねむい",
     u"ねむい 眠い ねむたい ねむ sleepy", Sleep | Tired | Overtime, Shrug | Oversleep | Sick},
    {u"[--:]", u"ロボット", u"ろぼっと",
     u"ろぼっと ろぼ きかい 機械 robot", 0, Shrug},
    {u"(|.|)", u"無表情", u"むひょうじょう",
     u"むひょうじょう 無表情 ぽーかーふぇいす しんけん 真剣", Shrug, Stare},
};

// 漢字
constexpr KaomojiRow k07Left[] = {
    {u"(笑)", u"笑う時に使う", u"わらうときにつかう",
     u"わらい 笑い わらう 笑う 笑 しょう かっこわらい lol 草 くさ w ww www わろた わろす", Laughter, Smile | Joy},
    {u"(怒)", u"怒った時に", u"おこったときに",
     u"いかり 怒り おこる 怒る 怒 ど", Anger},
    {u"(泣)", u"泣きたい時に", u"なきたいときに",
     u"なく 泣く なき 泣き 泣 きゅう", Crying | Sadness | Heartbreak},
    {u"(楽)", u"楽しい時に", u"たのしいときに",
     u"たのしい 楽しい 楽 らく たのしむ 楽しむ", Joy | Payday, Excitement | Music},
    {u"(喜)", u"うれしい時に", u"うれしいときに",
     u"よろこび 喜び よろこぶ 喜ぶ 喜 き うれしい 嬉しい", Joy | Payday, Congratulations | Thanks},
    {u"(哀)", u"悲しい時に", u"かなしいときに",
     u"かなしい 悲しい あわれ 哀れ 哀 あい かなしみ 悲しみ", Sadness, Crying | Heartbreak},
};
constexpr KaomojiRow k07Right[] = {
    {u"(爆)", u"爆笑の意味", u"ばくしょうのいみ",
     u"ばくしょう 爆笑 爆 ばく 草 くさ w ww www わろた わろす", Laughter, Joy},
    {u"(苦)", u"苦笑いの意味", u"にがわらいのいみ",
     u"くるしい 苦しい 苦 く にがわらい 苦笑い くしょう 苦笑", Sweat, Pain | Trouble},
    {u"(死)", u"もうだめの意味", u"もうだめのいみ",
     u"しぬ 死ぬ 死 し だめ もうだめ dead", Despair | Tired | Overtime, Laughter | Sick | Help},
    {u"(♪)", u"ごきげんの意味", u"ごきげんのいみ",
     u"ごきげん ご機嫌 おんぷ 音符 ♪", Music | Joy | Payday},
    {u"(！)", u"びっくりの意味", u"びっくりのいみ",
     u"びっくり おどろく 驚く ! ！", Surprise},
    {u"(？)", u"疑問の意味", u"ぎもんのいみ",
     u"ぎもん 疑問 はてな ? ？", Confusion, Doubt},
};

// バイバイ
constexpr KaomojiRow k08Left[] = {
    {u"(^o^)/~", u"標準バイバイ", u"ひょうじゅんばいばい",
     u"ばいばい ひょうじゅん 標準 bye", Farewell, Wave},
    {u"(^-^)/~ ", u"またね", u"またね",
     u"またね じゃあね bye", Farewell, Wave},
    {u"(^_^)/~", u"さようなら", u"さようなら",
     u"さようなら さよなら goodbye", Farewell, Wave},
    {u"(^^)/~~~", u"手をふる", u"てをふる",
     u"てをふる 手を振る ふる 振る wave", Wave | Farewell, Greeting},
    {u"(;_;)/~~~", u"泣いてバイバイ", u"ないてばいばい",
     u"なく 泣く ないてばいばい さみしい", Farewell | Crying | Heartbreak, Sadness},
    {u"(^.^)/~~~", u"また明日", u"またあした",
     u"またあした また明日 あした 明日 see you tomorrow", Farewell, Wave},
};
constexpr KaomojiRow k08Right[] = {
    {u"(ｰｰ )/~~~ ", u"さらば・・・", u"さらば",
     u"さらば farewell", Farewell, Smug},
    {u"(ｰｰゞ/~~~ ", u"それじゃ", u"それじゃ",
     u"それじゃ じゃあ", Farewell, Done},
    {u"(-_-)/~~~~", u"お先に", u"おさきに",
     u"おさき お先 おさきに お先に おさきにしつれいします かえる 帰る", Farewell, Done | Tired},
    {u"(-.-)y-~~~", u"一服してきます", u"いっぷくしてきます",
     u"いっぷく 一服 たばこ 煙草 きゅうけい 休憩 いっぷくしてきます", Break, Farewell},
    {u"  *_*/~~~", u"おやすみ", u"おやすみ",
     u"おやすみ おやすみなさい good night", Sleep | Farewell, Oversleep},
    {u"  ･o･/~~~ ", u"ばいば～い", u"ばいばーい",
     u"ばいばい ばいばーい bye", Farewell, Wave},
};

// 気分
constexpr KaomojiRow k09Left[] = {
    {u"o(^o^)o", u"わくわく\"", u"わくわく",
     u"わくわく たのしみ 楽しみ うれしい 嬉しい excited", Excitement | Joy | Payday, Congratulations},
    {u"o(^-^)o", u"うきうき", u"うきうき",
     u"うきうき わくわく たのしい 楽しい ごきげん happy", Joy | Excitement | Payday},
    {u"＼(・_・)", u"おーい", u"おーい",
     u"おーい よぶ 呼ぶ hey", Calling, Greeting},
    {u"(▼▼)", u"サングラス", u"さんぐらす",
     u"さんぐらす さんぐらす かっこいい sunglasses cool", Smug, Tough},
    {u"(▼▼!)", u"決まった！", u"きまった",
     u"きまった 決まった きめる 決める どや cool", Smug | Victory, Payday},
    {u"(o^ ^o)♪ ", u"ご機嫌", u"ごきげん",
     u"ごきげん ご機嫌 るんるん", Content | Joy | Music | Payday, Smile},
};
constexpr KaomojiRow k09Right[] = {
    {u"m(^0^)m♪", u"歌おう!", u"うたおう",
     u"うたう 歌う うたおう 歌おう うた 歌 からおけ sing", Music, Joy},
    {u"p(^_^)q", u"がんばれ！", u"がんばれ",
     u"がんばれ 頑張れ がんばる 頑張る ふぁいと おうえん 応援 fight", Cheer, Excitement | Exam},
    {u"(×o×) ", u"ばてた", u"ばてた",
     u"ばてた ばてる ぐったり", Tired | Overtime, Despair | Dizzy | Sick},
    {u"(\\o\\)", u"踊ろう", u"おどろう",
     u"おどる 踊る おどろう 踊ろう だんす dance", Music, Joy | Excitement},
    {u"(#_#)", u"ぼこぼこ", u"ぼこぼこ",
     u"ぼこぼこ なぐられる 殴られる けが 怪我 やられた", Pain | Sick, Despair | Tired},
    {u"(Φ_Φ)", u"ねらってる", u"ねらってる",
     u"ねらう 狙う ねらってる ねらい きらり あやしい 怪しい", Stare, Smug | Doubt},
};

// 怒り
constexpr KaomojiRow k10Left[] = {
    {u"(-_-)#", u"ちょっと＃", u"ちょっと",
     u"ちょっと むかっ", Anger, Calling},
    {u"(-_-#)", u"むかっ", u"むかっ",
     u"むかっ むかつく いらっ", Anger},
    {u"(--ﾒ)", u"怒りマーク", u"いかりまーく",
     u"いかりまーく 怒りマーク いかり 怒り", Anger},
    {u"(-_-X)", u"ぴきっ", u"ぴきっ",
     u"ぴきっ きれる キレる", Anger},
    {u"(▼o▼)ｵﾗｵﾗ ", u"オラオラ", u"おらおら",
     u"おらおら いかく 威嚇 けんか 喧嘩", Tough | Anger, Fear},
    {u"(｀_´ﾒ)", u"ぷんぷん", u"ぷんぷん",
     u"ぷんぷん", Anger, Pout},
};
constexpr KaomojiRow k10Right[] = {
    {u"(-~-#)", u"ゆげが", u"ゆげが",
     u"ゆげ 湯気 ゆげが", Anger},
    {u"(`_')", u"ふん！", u"ふん",
     u"ふん すねる 拗ねる humph", Pout, Anger | Refusal},
    {u" o(- -#)o  ", u"ぐぬぬ", u"ぐぬぬ",
     u"ぐぬぬ くやしい 悔しい がまん 我慢", Frustration | Anger},
    {u"(o･･o)", u"むすっ", u"むすっ",
     u"むすっ むすっと ふきげん 不機嫌 すねる 拗ねる sulk", Pout, Anger},
    {u"(･･#)", u"いらいら", u"いらいら",
     u"いらいら いらっ annoyed", Anger, Frustration},
    {u"(ｰｰ#)", u"怒ってます", u"おこってます",
     u"おこってます 怒ってます いかり 怒り", Anger},
};

// 驚き
constexpr KaomojiRow k11Left[] = {
    {u"(*_*)", u"ええ！", u"ええ",
     u"ええ えー おどろく 驚く surprise", Surprise, Dizzy},
    {u"(@_@,", u"目が回る", u"めがまわる",
     u"めがまわる 目が回る くらくら ふらふら いそがしい 忙しい dizzy", Dizzy, Surprise | Confusion | Tired},
    {u"(?_?)", u"はてな？", u"はてな",
     u"はてな ふしぎ 不思議 なぞ 謎 ? ？", Confusion, Doubt},
    {u"(＠o＠)", u"びっくり", u"びっくり",
     u"びっくり おどろく 驚く surprise", Surprise},
    {u"(◎-◎)", u"目がまんまる", u"めがまんまる",
     u"めがまんまる まんまる おどろく 驚く", Surprise},
    {u")ﾟ0ﾟ(", u"ひえー", u"ひえー",
     u"ひえー ひえ こわい 怖い scared", Fear | Surprise},
};
constexpr KaomojiRow k11Right[] = {
    {u"(・_・）？", u"えー", u"えー",
     u"えー え ふしぎ 不思議 はてな", Confusion | Surprise, Doubt},
};

// キャラクター
constexpr KaomojiRow k12Left[] = {
    {u">゜)))彡", u"魚です。", u"さかなです",
     u"さかな 魚 うお fish", Animal | Sea},
    {u">ﾟ)))彡", u"小さい魚", u"ちいさいさかな",
     u"さかな 魚 こざかな 小魚 ちいさい 小さい fish", Animal | Sea},
    {u"θ", u"おたまじゃくし", u"おたまじゃくし",
     u"おたまじゃくし かえる 蛙 tadpole", Animal},
    {u"_@／''", u"カタツムリ", u"かたつむり",
     u"かたつむり でんでんむし snail", Animal | Slow},
    {u"...＠/", u"のろのろ進む", u"のろのろすすむ",
     u"のろのろ かたつむり すすむ 進む", Slow, Animal | Waiting},
    {u"くコ:彡", u"イカ", u"いか",
     u"いか 烏賊 squid", Animal | Sea},
};
constexpr KaomojiRow k12Right[] = {
    {u"田ﾐ", u"走る四角", u"はしるしかく",
     u"しかく 四角 はしる 走る", Fast},
    {u"Ｃ:。ミ", u"タコ", u"たこ",
     u"たこ 蛸 octopus", Animal | Sea},
    {u"o⌒of", u"カメ", u"かめ",
     u"かめ 亀 turtle tortoise", Animal | Slow, Sea},
    {u"≦''≧", u"カニ", u"かに",
     u"かに 蟹 crab", Animal | Sea},
    {u"(▼_▼)o", u"こわもて", u"こわもて",
     u"こわもて 強面 こわい 怖い", Tough, Smug | Anger},
    {u"田彡", u"飛んでく四角", u"とんでくしかく",
     u"しかく 四角 とぶ 飛ぶ とんでく 飛んでく", Fast},
};

// その他１
constexpr KaomojiRow k13Left[] = {
    {u"(-o-?ゞ", u"なんか言いました？", u"なんかいいました",
     u"なんか なに なんですか きこえない 聞こえない なんかいいました なんか言いました what", Confusion, Calling | Shrug},
    {u"(-o-)zzz", u"ぐーぐー", u"ぐーぐー",
     u"ぐーぐー いびき", Sleep, Oversleep},
    {u"zzz...", u"すやすや", u"すやすや",
     u"すやすや", Sleep, Oversleep},
    {u"m(-- )zzz", u"居眠り", u"いねむり",
     u"いねむり 居眠り", Sleep, Tired | Oversleep},
    {u"('_`)", u"しょぼーん", u"しょぼーん",
     u"しょぼーん しょぼん がっかり おちこむ 落ち込む", Sadness, Gloom | Heartbreak},
    {u"G(^o^)d", u"グッド！", u"ぐっど",
     u"ぐっど good いいね", Agreement | Cheer, Victory | Exam},
};
constexpr KaomojiRow k13Right[] = {
    {u"(〒o〒)", u"どぅへへ～", u"どぅへへー",
     u"なく 泣く ごうきゅう 号泣", Crying | Heartbreak, Sadness | Laughter},
    {u"φ(.. )", u"メモメモ", u"めもめも",
     u"めも めもめも かく 書く", Memo, Thinking | Exam},
    {u"(=^ ^=)", u"ネコ", u"ねこ",
     u"ねこ 猫 ねこちゃん にゃー にゃん にゃんこ cat kitty", Animal, Love},
    {u"(^0^)wゞ", u"了解！", u"りょうかい",
     u"りょうかい 了解 ok", Agreement | Yes},
    {u"o(^-^)o", u"楽しみ！", u"たのしみ",
     u"たのしみ 楽しみ わくわく うきうき excited", Excitement | Joy | Payday, Waiting},
    {u"*-*)w", u"ちらっ", u"ちらっ",
     u"ちらっ ちらり のぞく 覗く peek", Stare, Shy},
};

// 笑顔３
constexpr KaomojiRow k14Left[] = {
    {u"(^｡^)", u"うわ～い", u"うわーい",
     u"うわーい わーい うれしい 嬉しい よろこぶ 喜ぶ happy", Joy | Payday, Excitement | Congratulations},
    {u"(^o^)/", u"こんにちは！", u"こんにちは",
     u"こんにちは やあ hello hi", Greeting, Yes | Wave},
    {u"(^O^)y", u"やったね", u"やったね",
     u"やったね やった せいこう 成功 yay", Victory | Congratulations | Joy | Payday},
    {u"(^*^)", u"ぽっ", u"ぽっ",
     u"ぽっ あかくなる 赤くなる blush", Shy | Love},
    {u"(o^3^o)", u"ちゅっ", u"ちゅっ",
     u"ちゅっ ちゅー きす kiss", Love, Thanks},
    {u"(^Q^)", u"おいしい！", u"おいしい",
     u"おいしい 美味しい うまい 旨い たべる 食べる yummy", Meal, Joy},
};
constexpr KaomojiRow k14Right[] = {
    {u"(^0^)", u"らんらんらん", u"らんらんらん",
     u"らんらん らんらんらん るんるん うたう 歌う", Music | Joy | Payday, Excitement},
};

// 泣き顔２
constexpr KaomojiRow k15Left[] = {
    {u"(>_<)", u"だめだ～", u"だめだー",
     u"だめ だめだ むり 無理 くやしい 悔しい つらい 辛い", Despair | Frustration | Refusal, Crying | Overtime | Help},
    {u"(v_v)", u"しょんぼり", u"しょんぼり",
     u"しょんぼり しゅん おちこむ 落ち込む がっかり", Sadness, Gloom | Heartbreak},
    {u"(→｡←)", u"涙をこらえる", u"なみだをこらえる",
     u"なみだ 涙 こらえる 堪える がまん 我慢 なみだをこらえる", Crying | Sadness | Heartbreak, Frustration},
    {u"(〒o〒)", u"号泣", u"ごうきゅう",
     u"ぱおん ごうきゅう 号泣 なく 泣く おおなき 大泣き", Crying | Heartbreak, Sadness},
    {u"（Ｔ^Ｔ）", u"ぐすぐす", u"ぐすぐす",
     u"ぐすぐす なく 泣く なみだ 涙", Crying | Sadness | Heartbreak},
    {u"（ＴＴ）", u"なみだ目", u"なみだめ",
     u"ぴえん なみだめ 涙目 なく 泣く なみだ 涙", Crying | Heartbreak, Sadness | Pain},
};
constexpr KaomojiRow k15Right[] = {
    {u"('_')", u"目が・・", u"めが",
     u"めが 目が まぶしい いたい 痛い", Pain | Sick, Surprise},
};

// 漢字２
constexpr KaomojiRow k16Left[] = {
    {u"（汗）", u"あせっています", u"あせっています",
     u"あせ 汗 かん あせってます あせっています", Sweat, Trouble},
    {u"（恥）", u"恥ずかしい", u"はずかしい",
     u"はじ 恥 ち はずかしい 恥ずかしい", Shy},
    {u"（滅）", u"気が滅入る", u"きがめいる",
     u"めつ 滅 めいる 滅入る きがめいる 気が滅入る", Gloom, Sadness | Tired},
    {u"（激）", u"激しく同意", u"はげしくどうい",
     u"はげどう 禿同 げき 激 はげしい 激しい どうい 同意 はげしくどうい 激しく同意", Agreement, Excitement | Anger},
    {u"（珍）", u"珍しいこと", u"めずらしいこと",
     u"ちん 珍 めずらしい 珍しい", Rare, Surprise},
    {u"（疑）", u"疑っています", u"うたがっています",
     u"ぎ 疑 うたがう 疑う", Doubt, Confusion},
};
constexpr KaomojiRow k16Right[] = {
    {u"（完）", u"終わりです", u"おわりです",
     u"かん 完 おわり 終わり おしまい", Done, Farewell},
    {u"（藁）", u"（笑）と同じ", u"わらいとおなじ",
     u"わら 藁 わらい 笑い わらう 笑う w 草 くさ ww www わろた わろす", Laughter, Smile},
    {u"（微笑）", u"ほほえみ", u"ほほえみ",
     u"びしょう 微笑 ほほえむ 微笑む ほほえみ 微笑み", Smile | Content, Joy},
    {u"（苦笑）", u"苦笑いです", u"にがわらいです",
     u"くしょう 苦笑 にがわらい 苦笑い", Sweat, Laughter},
};

} // namespace

const std::array<KaomojiCategory, 16> CategoryTable = {{
    // name, display position, catalogue number, left column, right column, words
    {u"笑顔１", 1, 1, k01Left, k01Right, u"えがお 笑顔 smile"},
    {u"笑顔２", 2, 2, k02Left, k02Right, u"えがお 笑顔 smile"},
    {u"泣き顔１", 4, 3, k03Left, k03Right, u"なきがお 泣き顔 cry"},
    {u"ごめんなさい", 6, 4, k04Left, k04Right, u"ごめんなさい sorry"},
    {u"あらら・(汗)", 7, 5, k05Left, k05Right, u"あらら あせ 汗 sweat"},
    {u"単純", 8, 6, k06Left, k06Right, u"たんじゅん 単純 しんぷる simple"},
    {u"漢字", 9, 7, k07Left, k07Right, u"かんじ 漢字 kanji"},
    {u"バイバイ", 11, 8, k08Left, k08Right, u"ばいばい bye"},
    {u"気分", 12, 9, k09Left, k09Right, u"きぶん 気分 mood"},
    {u"怒り", 14, 10, k10Left, k10Right, u"いかり 怒り angry"},
    {u"驚き", 13, 11, k11Left, k11Right, u"おどろき 驚き surprise"},
    {u"キャラクター", 15, 12, k12Left, k12Right, u"きゃらくたー character"},
    {u"その他１", 16, 13, k13Left, k13Right, u"そのた その他 other"},
    {u"笑顔３", 3, 14, k14Left, k14Right, u"えがお 笑顔 smile"},
    {u"泣き顔２", 5, 15, k15Left, k15Right, u"なきがお 泣き顔 cry"},
    {u"漢字２", 10, 16, k16Left, k16Right, u"かんじ 漢字 kanji"},
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
