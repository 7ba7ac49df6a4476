#include "catalogue/search.h"

#include "catalogue/keywords.h"
#include "catalogue/romaji.h"

#include <algorithm>

namespace pukalo {

namespace {
// The vowel a hiragana ends in, for long vowels written as a second vowel (ほう, ぴい).
QChar vowelOf(QChar kana)
{
    static const std::pair<QChar, QStringView> rows[] = {
        {u'a', u"あかさたなはまやらわがざだばぱぁゃゎ"}, {u'i', u"いきしちにひみりぎじぢびぴぃ"},
        {u'u', u"うくすつぬふむゆるぐずづぶぷぅゅゔ"},   {u'e', u"えけせてねへめれげぜでべぺぇ"},
        {u'o', u"おこそとのほもよろをごぞどぼぽぉょ"},
    };
    for (const auto &[vowel, kanas] : rows) {
        if (kanas.contains(kana))
            return vowel;
    }
    return QChar();
}

// A long vowel written out: the same vowel again, or い after e and う after o (せい, ほう).
bool lengthens(QChar previous, QChar kana)
{
    const QChar before = vowelOf(previous);
    return !before.isNull() &&
           ((kana == u'あ' && before == u'a') ||
            (kana == u'い' && (before == u'i' || before == u'e')) ||
            (kana == u'う' && (before == u'u' || before == u'o')) ||
            (kana == u'え' && before == u'e') || (kana == u'お' && before == u'o'));
}

struct Word
{
    QString strict, loose;
};

Word makeWord(const QString &text)
{
    const QString folded = FoldForSearch(text);
    return {folded, LooseForm(folded)};
}

// Everything a row is found by, folded once; in the drop-down's order of categories, then the
// rows, which is the order of results that rank alike.
struct Haystack
{
    CatalogueEntry entry;
    QString kaomoji, description, category;
    std::vector<Word> words;
};

const std::vector<Haystack> &haystacks()
{
    static const std::vector<Haystack> all = [] {
        std::vector<Haystack> result;
        const std::vector<CatalogueEntry> entries = AllEntries();
        for (const KaomojiCategory *category : CategoriesInDisplayOrder()) {
            for (const CatalogueEntry &e : entries) {
                if (e.category != category)
                    continue;
                Haystack h{e,
                           FoldForSearch(QStringView(e.row->kaomoji).toString()),
                           LooseForm(FoldForSearch(QStringView(e.row->description).toString())),
                           LooseForm(FoldForSearch(QStringView(category->name).toString())),
                           {}};
                for (const QString &keyword : Keywords(e))
                    h.words.push_back(makeWord(keyword));
                result.push_back(std::move(h));
            }
        }
        return result;
    }();
    return all;
}

enum Rank
{
    Equals,
    EqualsLoosely,
    Begins,
    Elsewhere, // in the kaomoji, the description or the category name
    InsideAWord,
    NoMatch,
};

Rank rank(const Haystack &h, const Word &query)
{
    Rank best = NoMatch;
    for (const Word &w : h.words) {
        const Rank r = w.strict == query.strict          ? Equals
                       : w.loose == query.loose          ? EqualsLoosely
                       : w.loose.startsWith(query.loose) ? Begins
                       : w.loose.contains(query.loose)   ? InsideAWord
                                                         : NoMatch;
        best = std::min(best, r);
    }
    if (best > Elsewhere &&
        (h.kaomoji.contains(query.strict) || h.description.contains(query.loose) ||
         h.category.contains(query.loose)))
        best = Elsewhere;
    return best;
}

bool isLatin(const QString &word)
{
    return std::all_of(word.begin(), word.end(),
                       [](QChar c) { return (c >= u'a' && c <= u'z') || c == u'-' || c == u'\''; });
}
} // namespace

std::vector<CatalogueEntry> AllEntries()
{
    std::vector<CatalogueEntry> entries;
    for (const KaomojiCategory &category : CategoryTable) {
        for (const auto &column : {category.left, category.right}) {
            for (const KaomojiRow &row : column)
                entries.push_back({&category, &row});
        }
    }
    return entries;
}

std::optional<CatalogueEntry> FindKaomoji(QStringView kaomoji, QStringView category)
{
    std::optional<CatalogueEntry> first;
    for (const CatalogueEntry &entry : AllEntries()) {
        if (QStringView(entry.row->kaomoji) != kaomoji)
            continue;
        if (QStringView(entry.category->name) == category)
            return entry;
        if (!first)
            first = entry;
    }
    return first;
}

QStringList Keywords(const CatalogueEntry &entry)
{
    QStringList words{QStringView(entry.row->reading).toString()};
    for (const CategoryKeywords &c : KeywordTable()) {
        if (c.category != entry.category->name)
            continue;
        words += QStringView(c.words).toString().split(u' ', Qt::SkipEmptyParts);
        for (const RowKeywords &r : c.rows) {
            if (r.kaomoji == entry.row->kaomoji)
                words += QStringView(r.words).toString().split(u' ', Qt::SkipEmptyParts);
        }
    }
    words.removeDuplicates();
    return words;
}

QString FoldForSearch(const QString &text)
{
    QString folded = text.normalized(QString::NormalizationForm_KC).toCaseFolded();
    for (QChar &c : folded) {
        // Katakana ァ..ヶ sit 0x60 above their hiragana.
        if (c.unicode() >= 0x30A1 && c.unicode() <= 0x30F6)
            c = QChar(c.unicode() - 0x60);
        // Some input methods type the wave dash 〜 where others type ～, which NFKC made ~.
        else if (c == u'〜')
            c = u'~';
    }
    return folded;
}

QString LooseForm(const QString &folded)
{
    QString loose;
    for (QChar c : folded) {
        // ー, the wave dash (folded to ~) and っ may be left out.
        if (c == u'ー' || c == u'~' || c == u'っ')
            continue;
        if (!loose.isEmpty() && lengthens(loose.back(), c))
            continue;
        loose += c;
    }
    return loose;
}

std::vector<CatalogueEntry> Search(const QString &query)
{
    // Each word of the query with what it may also be: the hiragana its Latin letters spell.
    std::vector<std::vector<Word>> words;
    for (const QString &text : FoldForSearch(query).split(u' ', Qt::SkipEmptyParts)) {
        std::vector<Word> forms{makeWord(text)};
        if (isLatin(text)) {
            if (const std::optional<QString> kana = RomajiToHiragana(text))
                forms.push_back(makeWord(*kana));
        }
        if (forms.front().loose.isEmpty())
            forms.front().loose = forms.front().strict; // a query of only ー still means ー
        words.push_back(std::move(forms));
    }
    if (words.empty())
        return {};
    std::vector<std::pair<int, const Haystack *>> found;
    for (const Haystack &h : haystacks()) {
        int worst = Equals;
        for (const std::vector<Word> &forms : words) {
            Rank best = NoMatch;
            for (const Word &form : forms)
                best = std::min(best, rank(h, form));
            worst = std::max(worst, int(best));
        }
        if (worst != NoMatch)
            found.emplace_back(worst, &h);
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    std::vector<CatalogueEntry> result;
    for (const auto &[r, h] : found)
        result.push_back(h->entry);
    return result;
}

} // namespace pukalo
