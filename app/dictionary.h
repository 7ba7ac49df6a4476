#pragma once

#include <QString>
#include <vector>

namespace pukalo {

// A user dictionary for Mozc (and other Japanese input methods that read its tab-separated
// form): everyday readings with the kaomoji they should offer among their conversions, in a part
// of speech that leaves the reading's ordinary first conversion first.
struct DictionaryLine
{
    QString reading, kaomoji, partOfSpeech, comment;
};
std::vector<DictionaryLine> InputMethodDictionary();

} // namespace pukalo
