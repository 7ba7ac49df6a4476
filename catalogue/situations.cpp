#include "catalogue/situations.h"

// The words people type for each situation, as they write them in chat and mail: everyday
// words and set phrases in hiragana (katakana, half-width and romaji are found through them),
// their usual kanji, net slang, and English. Verbs and adjectives in their dictionary form: the
// search finds their other forms (泣いてる, うれしかった, surprised) through it.

namespace pukalo {

namespace {
using namespace situation;

// clang-format off
constexpr SituationWords kSituations[] = {
    {Greeting, u"挨拶", u"あいさつ 挨拶 こんにちは こんにちわ こんちは ちわ ちーす ちっす うぃっす おっす "
        u"やあ よう よっ はろー おはよう おはよ おはようございます おは こんばんは こんばんわ ばんわ "
        u"ひさしぶり 久しぶり おひさ はじめまして 初めまして ただいま おかえり お帰り "
        u"hello hi hey hiya yo greeting greetings morning goodmorning evening welcome"},
    {Thanks, u"お礼", u"ありがとう ありがと ありがとうございます ありがとね あざす あざっす あざーす あざます "
        u"さんきゅー さんきゅ さんくす せんきゅー かんしゃ 感謝 おれい お礼 礼 感謝感激 たすかる 助かる "
        u"おおきに かたじけない 有難う 有り難う thanks thank thankyou thx ty grateful appreciate"},
    {Apology, u"お詫び", u"ごめん ごめんね ごめんなさい めんご すみません すいません すまん すまない "
        u"もうしわけない 申し訳ない もうしわけありません 申し訳ありません もうしわけございません "
        u"しつれい 失礼 しつれいしました 失礼しました あやまる 謝る しゃざい 謝罪 わびる 詫びる おわび お詫び "
        u"はんせい 反省 どげざ 土下座 ゆるす 許す sorry apologize apologise apology pardon forgive ちこく 遅刻 おくれる 遅れる まにあわない 間に合わない またせる 待たせる めいわく 迷惑"},
    {Please, u"お願い・お辞儀", u"おねがい お願い おねがいします お願いします たのむ 頼む たのみ 頼み "
        u"よろしく 宜しく よろしくおねがいします おじぎ お辞儀 れい 礼 えしゃく 会釈 ぺこり ぺこぺこ "
        u"please bow request"},
    {Congratulations, u"お祝い", u"おめでとう おめでと おめでとうございます おめ いわう 祝う いわい 祝い "
        u"おいわい お祝い しゅく 祝 しゅくふく 祝福 たんじょうび 誕生日 ばーすでー たんおめ あけおめ "
        u"ごうかく 合格 けっこん 結婚 ゆうしょう 優勝 ぱーてぃー かんぱい 乾杯 "
        u"congrats congratulations congratulation celebrate celebration birthday party cheers"},
    {Content, u"幸せ", u"しあわせ 幸せ しあわせー ほっこり ほのぼの おだやか 穏やか まんぞく 満足 "
        u"いやされる 癒される いやし 癒し ごきげん ご機嫌 じょうきげん 上機嫌 ほっ content calm peaceful"},
    {Joy, u"喜び", u"うれしい 嬉しい よろこぶ 喜ぶ よろこび 喜び はっぴー わーい やったー "
        u"よっしゃ きゃっほー いえーい いぇい ごきげん ご機嫌 じょうきげん 上機嫌 たのしい 楽しい "
        u"たのしむ 楽しむ ゆかい 愉快 るんるん うきうき すてき 素敵 "
        u"happy glad joy joyful yay yippee hooray delighted pleased fun enjoy きたー きたこれ ktkr さいこう 最高 やほー"},
    {Victory, u"勝利", u"やった やったー やったね よし よーし かつ 勝つ かち 勝ち しょうり 勝利 せいこう 成功 "
        u"ぴーす ぶい ぶいさいん victory win success peace"},
    {Smile, u"笑顔", u"えがお 笑顔 にこにこ にこ にこっ にっこり にこり ほほえむ 微笑む ほほえみ 微笑み "
        u"びしょう 微笑 すまいる どういたしまして いえいえ smile smiling smiley grin"},
    {Laughter, u"笑い", u"わらう 笑う わらい 笑い わら わろた わろす わらえる 笑える うける ばくしょう 爆笑 "
        u"おおわらい 大笑い あはは わはは はは ははは ふふ ふふふ うふふ くすくす げらげら けらけら 草 くさ "
        u"くそわろた おもしろい 面白い おもろい w ww www "
        u"laugh laughter lol lmao rofl haha hahaha funny hehe"},
    {Love, u"好き", u"すき 好き だいすき 大好き あい 愛 あいしてる 愛してる らぶ らぶらぶ ちゅー ちゅっ "
        u"きす くちづけ こい 恋 はーと ときめく ときめき めろめろ ほれる 惚れる かわいい 可愛い "
        u"love like kiss heart crush xoxo lovely cute こくはく 告白 かたおもい 片思い りょうおもい 両思い でーと たいせつ 大切 らぶれたー"},
    {Shy, u"照れ", u"てれる 照れる てれ てれてれ てれくさい 照れくさい はずかしい 恥ずかしい はずい はじ 恥 "
        u"はにかむ てへ てへぺろ でへ えへへ えへ ぽっ あかくなる 赤くなる "
        u"shy embarrassed blush shame"},
    {Smug, u"どや顔", u"どや どやがお どや顔 とくい 得意 とくいげ 得意げ じまん 自慢 きまった 決まった "
        u"きめる 決める かっこいい かっこつける くーる ふふん にやり smug proud cool"},
    {Surprise, u"驚き", u"おどろく 驚く おどろき 驚き びっくり えっ えー ええ まじ まじで うそ 嘘 ほんと 本当 "
        u"ひえー ひぇー ぎょっ なんと しんじられない 信じられない わお うわっ すごい 凄い がーん がびーん "
        u"しょっく ぼうぜん 呆然 あぜん 唖然 ぽかーん "
        u"surprise surprising shock wow omg whoa astonish amaze"},
    {Confusion, u"疑問", u"はてな なに 何 なんで なぜ 何故 ぎもん 疑問 ふしぎ 不思議 なぞ 謎 わからない "
        u"分からない わからん こんらん 混乱 まよう 迷う きょとん えっと えーと あれ あれれ ? ?? "
        u"confuse confusion question why what huh puzzle wonder"},
    {Thinking, u"考え中", u"かんがえる 考える かんがえちゅう 考え中 おもいつく 思いつく ひらめく 閃く "
        u"ひらめき あいであ なるほど ふむ ふむふむ うーん うーむ idea think hmm"},
    {Anger, u"怒り", u"おこる 怒る いかる いかり 怒り おこ げきおこ 激おこ むかつく むかっ むかむか "
        u"いらいら いらっ いらつく ぷんぷん ぷんすか ぷんすこ はらだつ 腹立つ はらがたつ きれる 切れる "
        u"ぶちぎれ ゆるせない 許せない あたまにくる 頭に来る 頭にくる ちっ くそ 怒 angry anger mad furious annoy rage irritate grr"},
    {Sadness, u"悲しみ", u"かなしい 悲しい かなしみ 悲しみ かなしむ 悲しむ さびしい 寂しい さみしい つらい 辛い "
        u"せつない 切ない ざんねん 残念 がっかり がっくり しょんぼり しょぼん しょぼーん しゅん おちこむ "
        u"落ち込む へこむ 凹む sad sadness unhappy lonely disappoint depress blue down upset"},
    {Crying, u"泣く", u"なく 泣く なき 泣き なみだ 涙 なみだめ 涙目 ごうきゅう 号泣 おおなき 大泣き うるうる "
        u"しくしく えーん うえーん うわーん ぐすん ぐすぐす ほろり ぴえん ぱおん "
        u"cry tear tears sob weep teary"},
    {Frustration, u"悔しさ", u"くやしい 悔しい くやし むねん 無念 ぐぬぬ ちくしょう 畜生 はがゆい 歯がゆい "
        u"まける 負ける まけ 負け frustrate argh lose"},
    {Pain, u"痛み", u"いたい 痛い いたた いてて いたっ ouch hurt pain ow"},
    {Oops, u"失敗", u"しまった しっぱい 失敗 みす やっちゃった やらかした やべ あちゃー うっかり どじ "
        u"てへぺろ oops mistake fail whoops まちがえる 間違える まちがい 間違い わすれる 忘れる わすれもの 忘れ物 ぽか"},
    {Tired, u"疲れ", u"つかれる 疲れる つかれた 疲れた つかれ 疲れ ひろう 疲労 へとへと くたくた ぐったり "
        u"ばてる ばたんきゅー しんどい だるい おつかれ お疲れ おつかれさま お疲れ様 おつ 乙 "
        u"tired exhausted exhaust worn weary"},
    {Sleep, u"眠り", u"ねる 寝る ねむい 眠い ねむたい 眠たい ねむる 眠る すいみん 睡眠 おやすみ お休み "
        u"おやすみなさい ぐーぐー すやすや ぐっすり いねむり 居眠り ひるね 昼寝 ねおち 寝落ち ふとん 布団 "
        u"zzz sleep sleepy asleep goodnight night nap bed"},
    {Farewell, u"お別れ", u"ばいばい さようなら さよなら わかれ 別れ わかれる 別れる またね また "
        u"またあした また明日 じゃあね じゃね じゃあ ではでは では それでは それじゃ さらば おさき お先 "
        u"おさきに お先に しつれいします 失礼します おつかれ お疲れ おつかれさま お疲れ様 おつ 乙 "
        u"いってきます いってらっしゃい bye goodbye byebye seeya later farewell cya たいきん 退勤 きたく 帰宅 かえる 帰る ていじ 定時 あがり おやすみー またらいしゅう また来週"},
    {Done, u"終わり", u"おわり 終わり おわる 終わる おしまい かんりょう 完了 しゅうりょう 終了 いじょう 以上 "
        u"end fin done finish complete"},
    {Break, u"休憩", u"いっぷく 一服 きゅうけい 休憩 たばこ 煙草 ひとやすみ 一休み break smoke rest"},
    {Meal, u"食事", u"いただきます ごちそうさま ごちそうさまでした ご馳走様 ごはん ご飯 めし 飯 しょくじ 食事 "
        u"たべる 食べる たべもの 食べ物 おいしい 美味しい うまい 旨い うまー ぺろり よだれ じゅるり "
        u"はらへった 腹減った おなかすいた くう 食う おやつ "
        u"yummy yum delicious tasty food eat meal hungry lunch dinner breakfast"},
    {Excitement, u"わくわく", u"わくわく どきどき うきうき たのしみ 楽しみ まちどおしい 待ち遠しい こうふん "
        u"興奮 てんしょん あがる 上がる きたー きたこれ わくてか ktkr wktk "
        u"excite excitement thrill hype"},
    {Music, u"歌・踊り", u"うた 歌 うたう 歌う からおけ おんがく 音楽 おんぷ 音符 るんるん らんらん ♪ "
        u"おどる 踊る だんす sing song music dance karaoke"},
    {Cheer, u"応援", u"がんばれ 頑張れ がんばる 頑張る がんば ふぁいと ふれー ふれふれ おうえん 応援 "
        u"まけるな 負けるな きあい 気合 やるき やる気 cheer fight luck goodluck"},
    {Agreement, u"了解・同意", u"りょうかい 了解 りょ おっけー おけ おけまる おーけー わかった 分かった "
        u"わかりました 分かりました しょうち 承知 しょうちしました かしこまりました らじゃー うんうん "
        u"そうそう それな わかる 分かる どうい 同意 さんせい 賛成 なっとく 納得 いいね いいよ ぐっど "
        u"ないす さいこう 最高 かみ 神 ok okay roger agree yes yep good nice great はげどう 禿同 ほんとそれ たしかに 確かに おなじく 同じく"},
    {Refusal, u"お断り", u"いや 嫌 いやだ やだ むり 無理 むりむり だめ 駄目 ことわる 断る おことわり "
        u"お断り きょひ 拒否 no nope refuse"},
    {Sigh, u"ため息", u"ためいき ため息 はぁ はあ ふう ふぅ やれやれ ほっ あんしん 安心 あんど 安堵 ひといき "
        u"一息 sigh relief relieve phew"},
    {Shrug, u"無関心", u"べつに 別に まあいいか まあね ふーん どうでもいい しらない 知らない しらん "
        u"きょうみない 興味ない むかんしん 無関心 しかたない 仕方ない しょうがない むひょうじょう 無表情 "
        u"しらけ 白け shrug whatever meh indifferent bore"},
    {Sweat, u"冷や汗", u"あせ 汗 あせる 焦る あせあせ ひやあせ 冷や汗 たらり ぎくっ ぎく あたふた "
        u"きまずい 気まずい にがわらい 苦笑い くしょう 苦笑 まいった 参った ごまかす 誤魔化す "
        u"awkward nervous sweat"},
    {Trouble, u"困りごと", u"こまる 困る こまった 困った なやむ 悩む なやみ 悩み しんぱい 心配 ふあん 不安 "
        u"どうしよう ぴんち やばい trouble worry anxious"},
    {Gloom, u"憂鬱", u"うんざり げんなり めいる 滅入る きがめいる 気が滅入る ゆううつ 憂鬱 ぶるー むなしい "
        u"虚しい gloomy gloom"},
    {Stare, u"じっと見る", u"じっ じー じと じとー じとっ じとめ ジト目 みつめる 見つめる みる 見る "
        u"にらむ 睨む ねらう 狙う ちらっ ちら ちらり のぞく 覗く かくれる 隠れる "
        u"stare peek look watch glare"},
    {Despair, u"絶望", u"もうだめ だめだ おわた おわった 終わった ぜつぼう 絶望 しぬ 死ぬ しにそう 死にそう "
        u"ちーん orz dead die despair doom rip"},
    {Dizzy, u"目が回る", u"めがまわる 目が回る くらくら ふらふら ぐるぐる めまい 目眩 いそがしい 忙しい "
        u"dizzy busy"},
    {Calling, u"呼びかけ", u"おーい よぶ 呼ぶ よびかけ 呼びかけ もしもし ねえ ねえねえ hey oi"},
    {Animal, u"動物", u"どうぶつ 動物 いきもの 生き物 ぺっと animal creature pet"},
    {Sea, u"海", u"うみ 海 すいぞくかん 水族館 つり 釣り sea ocean aquarium"},
    {Slow, u"ゆっくり", u"のろのろ ゆっくり おそい 遅い まったり のんびり slow"},
    {Fast, u"急ぐ", u"はしる 走る いそぐ 急ぐ だっしゅ とぶ 飛ぶ run hurry fast fly"},
    {Tough, u"強面", u"こわもて 強面 いかつい やくざ おどす 脅す いかく 威嚇 けんか 喧嘩 tough threat"},
    {Fear, u"怖い", u"こわい 怖い おそろしい 恐ろしい がくぶる ぶるぶる ひえー おびえる 怯える "
        u"scare scary afraid fear fright"},
    {Memo, u"メモ", u"めも めもめも きろく 記録 のーと かく 書く ひっき 筆記 しゅくだい 宿題 べんきょう 勉強 "
        u"memo note write study"},
    {Dreamy, u"うっとり", u"うっとり ゆめごこち 夢心地 あこがれ 憧れ きらきら "
        u"みとれる 見とれる dreamy sparkle admire"},
    {Yes, u"返事", u"はい はーい へんじ 返事 てをあげる 手を挙げる きょしゅ 挙手 はいはい yes present"},
    {Wave, u"手を振る", u"てをふる 手を振る ふる 振る wave"},
    {Rare, u"珍しい", u"めずらしい 珍しい れあ きちょう 貴重 rare unusual"},
    {Doubt, u"疑い", u"うたがう 疑う うたがい 疑い あやしい 怪しい うさんくさい 胡散臭い doubt suspicious sus"},
    {Pout, u"すねる", u"すねる 拗ねる ふくれる 膨れる ぷい ふん ぶー ぶーぶー ふてくされる ふきげん 不機嫌 "
        u"むすっ pout sulk grumpy humph"},
    {Waiting, u"待つ", u"まつ 待つ まちまち まちぼうけ 待ちぼうけ まだ まだかな まだかなー そわそわ まちあわせ 待ち合わせ "
        u"wait waiting"},
    {Overtime, u"残業", u"ざんぎょう 残業 しごと 仕事 しごとちゅう 仕事中 しゃちく 社畜 てつや 徹夜 げきむ 激務 "
        u"きゅうしゅつ 休出 overtime work workday"},
    {Oversleep, u"寝坊", u"ねぼう 寝坊 ねすごす 寝過ごす あさねぼう 朝寝坊 にどね 二度寝 oversleep overslept"},
    {Exam, u"テスト", u"てすと テスト しけん 試験 あかてん 赤点 きまつ 期末 ちゅうかん 中間 じゅけん 受験 "
        u"ついし 追試 もぎ 模試 exam test quiz"},
    {Payday, u"給料日", u"きゅうりょうび 給料日 きゅうりょう 給料 きゅうよ 給与 ぼーなす ボーナス "
        u"payday salary bonus"},
    {Sick, u"風邪", u"かぜ 風邪 かぜひいた 風邪ひいた ねつ 熱 はつねつ 発熱 びょうき 病気 ぐあいがわるい 具合が悪い "
        u"たいちょうふりょう 体調不良 ずつう 頭痛 sick ill cold fever flu"},
    {Heartbreak, u"失恋", u"しつれん 失恋 ふられる 振られる ふられた 振られた わかれた 別れた "
        u"heartbreak heartbroken breakup dumped"},
    {Help, u"助けて", u"たすけて 助けて たすける 助ける へるぷ ヘルプ たすけてください 助けてください "
        u"help sos"},
};
// clang-format on
} // namespace

std::span<const SituationWords> SituationTable()
{
    return kSituations;
}

} // namespace pukalo
