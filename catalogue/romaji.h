#pragma once

#include <QString>
#include <optional>

namespace pukalo {

// Latin letters typed with the input method off, read as the input method would read them:
// "niko" にこ, "gomen" ごめん, "pi-su" ぴーす, "konnichiha" こんにちは. Hepburn and Kunrei
// spellings alike (shi/si, tsu/tu, ja/zya), "nn" and "n'" for ん, a doubled consonant for っ,
// "-" for ー, x or l before a small kana. Nothing when the letters spell no kana (English words
// such as "cat"). Expects lower case.
std::optional<QString> RomajiToHiragana(QStringView latin);

} // namespace pukalo
