#pragma once

#include <QString>
#include <QStringList>

namespace pukalo {

// The dictionary forms a word typed in another form may come from, for finding it by the
// dictionary form a table holds: 泣いてる, 泣いた, 泣きたい, 泣かない → 泣く; うれしかった,
// うれしくない, うれしそう → うれしい; がんばって, がんばろう, がんばれ → がんばる. Japanese
// in hiragana, or kanji ending in hiragana (folded: katakana already made hiragana), covering
// verbs in the past, て-form, ている/てる/ていた, ちゃう, polite ます forms, negative, たい,
// volitional, imperative and the stem (godan, ichidan, する, くる, いく), and い-adjectives in
// the past, negative, く/くて, さ and そう; English in lower case with -s, -es, -ies, -ed, -d,
// -ing (a doubled consonant undone), -ly. Several guesses, most of them no word at all: they are
// only ever compared with whole words. Neither the word itself nor an empty text.
QStringList DictionaryForms(const QString &word);

} // namespace pukalo
