#include "catalogue/search.h"

#include "catalogue/inflection.h"
#include "catalogue/romaji.h"
#include "catalogue/userkaomoji.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <deque>
#include <tuple>
#include <utility>

namespace pukalo {

namespace {
// How much a word says of a row, by where the row has it from.
constexpr int kOwn = 100;     // its own words, its description, the kaomoji itself
constexpr int kFits = 90;     // a situation it fits
constexpr int kCategory = 75; // its category's name and words
constexpr int kAlsoFits = 70; // a situation it may also do for
// What a match is worth less than the word's weight, by how it matches.
constexpr int kLoosely = 4;    // with long vowels or a small っ left out
constexpr int kInflected = 8;  // in its dictionary form
constexpr int kBeginning = 40; // the beginning of a word, below every whole word
constexpr int kInside = 40;    // a word inside a longer query word, less the part it covers
constexpr int kContains = 45;  // the kaomoji or the description contains the query

// Words that say nothing of which kaomoji: they never count, unless the query is nothing else.
const QSet<QString> &fillers()
{
    static const QSet<QString> words = [] {
        QSet<QString> set;
        for (const QString &w :
             QStringLiteral("ください ください。 ほしい 欲しい ございます ござる です ます でした "
                            "だ よ ね の を が は に と も "
                            "かおもじ 顔文字 かお 顔 まーく えもじ 絵文字 すたんぷ とても すごく "
                            "めっちゃ ちょー "
                            "face faces emoji emoticon emoticons kaomoji smiley the a an of to for "
                            "i im so very my")
                 .split(u' ', Qt::SkipEmptyParts))
            set.insert(FoldForSearch(w));
        return set;
    }();
    return words;
}

// The vowel a hiragana ends in, for long vowels written as a second vowel (ほう, ぴい).
QChar vowelOf(QChar kana)
{
    // From ぁ (U+3041) to ゖ (U+3096), the vowel of each; '.' for none (っ, ん, ...).
    static constexpr char16_t kVowels[] =
        u"aaiiuueeooaaiiuueeooaaiiuueeooaaii.uueeooaiueoaaaiiiuuueeeoooaiueoaauuooaiueoaa..o.u..";
    const int offset = kana.unicode() - 0x3041;
    if (offset < 0 || offset >= int(std::size(kVowels)) - 1 || kVowels[offset] == u'.')
        return QChar();
    return QChar(kVowels[offset]);
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

bool isLatin(QStringView word)
{
    return !word.isEmpty() && std::all_of(word.begin(), word.end(), [](QChar c) {
        return (c >= u'a' && c <= u'z') || c == u'-' || c == u'\'';
    });
}

bool isHiragana(QChar c)
{
    return (c.unicode() >= 0x3041 && c.unicode() <= 0x3096) || c == u'ー';
}

// Punctuation around a word (まじ？, 「草」) is no part of it; a word of nothing else is kept.
QString trimmed(const QString &word)
{
    static const QStringView marks = u"!?.,、。・…「」『』()[]\"'~";
    qsizetype from = 0, to = word.size();
    while (from < to && marks.contains(word[from]))
        ++from;
    while (to > from && marks.contains(word[to - 1]))
        --to;
    return from == to ? word : word.mid(from, to - from);
}

// Where a word comes from: one row's own words, a situation's, or a category's; each of the
// latter stands once and counts for all its rows.
struct Source
{
    enum Kind
    {
        Row,
        RowText, // the kaomoji, its description and the description's reading
        Situation,
        Category,
    } kind;
    int target; // a row, situation or category by its number
};

// A word of the tables as folded (strict) and with what may be left out left out (loose): views
// of the tables' own text where folding leaves a word as it is, as most are.
struct Key
{
    QStringView strict, loose;
};

// Everything the rows are found by, folded once, at the first search: rows in the drop-down's
// order of categories, then their own, which is the order of results that rank alike.
struct Index
{
    std::vector<CatalogueEntry> rows;
    std::vector<QString> kaomoji, description, category;
    // Per situation the rows that fit it (weight kFits) or may also do (kAlsoFits); per
    // category its rows.
    std::vector<std::vector<std::pair<int, int>>> situationRows;
    std::vector<std::vector<int>> categoryRows;
    QHash<QStringView, std::vector<Source>> strict, loose;
    std::vector<QStringView> strictKeys, looseKeys; // for the words a query begins
    std::deque<QString> folded;                     // what the keys view where folding changed it

    // Calls `with(row, weight)` for every row a source stands for.
    template <typename With>
    void rowsOf(const Source &source, With with) const
    {
        switch (source.kind) {
        case Source::Row:
        case Source::RowText:
            return with(source.target, kOwn);
        case Source::Situation:
            for (const auto &[row, weight] : situationRows[size_t(source.target)])
                with(row, weight);
            return;
        case Source::Category:
            for (int row : categoryRows[size_t(source.target)])
                with(row, kCategory);
            return;
        }
    }
};

// Text that folding leaves as it is: hiragana, kanji, and Latin letters, digits and marks in
// lower case.
bool isFolded(QStringView word)
{
    return std::all_of(word.begin(), word.end(), [](QChar c) {
        const char16_t u = c.unicode();
        return (u < 0x80 && !(u >= u'A' && u <= u'Z')) || (u >= 0x3041 && u <= 0x3096) ||
               u == 0x30FC || (u >= 0x4E00 && u <= 0x9FFF);
    });
}

// A category's place among the categories' rows: the catalogue's sixteen, then the user's own.
size_t categoryNumber(const KaomojiCategory &c)
{
    return &c == &UserKaomoji::Category() ? CategoryTable.size()
                                          : size_t(&c - CategoryTable.data());
}

Key key(Index &index, QStringView word)
{
    QStringView strict = word;
    if (!isFolded(word))
        strict = index.folded.emplace_back(FoldForSearch(word.toString()));
    // Most words have nothing to leave out: no copy made for them.
    bool leavesOut = false;
    for (qsizetype i = 0; i < strict.size() && !leavesOut; ++i) {
        const QChar c = strict[i];
        leavesOut = c == u'ー' || c == u'~' || c == u'っ' || (i > 0 && lengthens(strict[i - 1], c));
    }
    if (!leavesOut)
        return {strict, strict};
    return {strict, index.folded.emplace_back(LooseForm(strict.toString()))};
}

std::vector<Key> keys(Index &index, QStringView words)
{
    std::vector<Key> result;
    for (QStringView w : words.tokenize(u' ', Qt::SkipEmptyParts))
        result.push_back(key(index, w));
    return result;
}

void add(Index &index, const std::vector<Key> &keys, Source source)
{
    for (const Key &key : keys) {
        for (auto [map, text] :
             {std::pair{&index.strict, &key.strict}, std::pair{&index.loose, &key.loose}}) {
            std::vector<Source> &sources = (*map)[*text];
            if (!text->isEmpty() && (sources.empty() || sources.back().kind != source.kind ||
                                     sources.back().target != source.target))
                sources.push_back(source);
        }
    }
}

const Index &index()
{
    // Built at the first search and again when the user's own kaomoji changed; the last one
    // kept to the end, never torn down, for nothing reads it then.
    static const Index *built = nullptr;
    static int generation = 0;
    if (built && generation == UserKaomoji::Generation())
        return *built;
    generation = UserKaomoji::Generation();
    delete std::exchange(built, [] {
        auto *made = new Index;
        Index &index = *made;
        const std::vector<CatalogueEntry> entries = AllEntries();
        std::vector<const KaomojiCategory *> categories = CategoriesInDisplayOrder();
        categories.push_back(&UserKaomoji::Category());
        for (const KaomojiCategory *category : categories) {
            for (const CatalogueEntry &e : entries) {
                if (e.category == category)
                    index.rows.push_back(e);
            }
        }
        const std::span<const SituationWords> situations = SituationTable();
        index.situationRows.resize(situations.size());
        index.categoryRows.resize(CategoryTable.size() + 1);
        // The keys view these strings: they must never move.
        for (auto *texts : {&index.kaomoji, &index.description, &index.category})
            texts->reserve(index.rows.size());
        for (int i = 0; i < int(index.rows.size()); ++i) {
            const KaomojiRow &r = *index.rows[size_t(i)].row;
            const KaomojiCategory &c = *index.rows[size_t(i)].category;
            index.kaomoji.push_back(FoldForSearch(QStringView(r.kaomoji).toString()));
            index.description.push_back(FoldForSearch(QStringView(r.description).toString()));
            index.category.push_back(LooseForm(FoldForSearch(QStringView(c.name).toString())));
            add(index, keys(index, r.words), {Source::Row, i});
            const QStringView kaomoji = QStringView(index.kaomoji.back()).trimmed();
            add(index,
                {key(index, kaomoji), key(index, index.description.back()), key(index, r.reading)},
                {Source::RowText, i});
            index.categoryRows[categoryNumber(c)].push_back(i);
            for (size_t s = 0; s < situations.size(); ++s) {
                if (r.fits & situations[s].situation)
                    index.situationRows[s].emplace_back(i, kFits);
                else if (r.alsoFits & situations[s].situation)
                    index.situationRows[s].emplace_back(i, kAlsoFits);
            }
        }
        for (size_t s = 0; s < situations.size(); ++s)
            add(index, keys(index, situations[s].words), {Source::Situation, int(s)});
        for (const KaomojiCategory *c : categories) {
            std::vector<Key> words = keys(index, c->words);
            words.push_back(key(index, c->name));
            add(index, words, {Source::Category, int(categoryNumber(*c))});
        }
        for (auto k = index.strict.keyBegin(); k != index.strict.keyEnd(); ++k)
            index.strictKeys.push_back(*k);
        for (auto k = index.loose.keyBegin(); k != index.loose.keyEnd(); ++k)
            index.looseKeys.push_back(*k);
        return made;
    }());
    return *built;
}

// One way to read a word of the query.
struct Form
{
    QString strict, loose;
    bool inflected = false; // a guessed dictionary form: whole words only
    bool wholeOnly = false;
};

Form makeForm(const QString &folded, bool inflected = false)
{
    Form form{folded, LooseForm(folded), inflected, inflected};
    // Nothing left to compare loosely (ー, っ alone): only what is written counts.
    if (form.loose.isEmpty())
        form.loose = form.strict;
    return form;
}

// The readings of one query word: as typed, as the romaji it may be, with romaji still being
// typed after kana, and in the dictionary forms it may come from.
std::vector<Form> readings(const QString &word)
{
    std::vector<Form> forms{makeForm(word)};
    QStringList kana;
    if (isLatin(word)) {
        if (const std::optional<QString> spelt = RomajiToHiragana(word))
            kana << *spelt;
    } else {
        // An input method shows the letters of a kana not finished yet (ごめｎ): the kana before
        // them, and what they become if they already make one (ごめん).
        qsizetype letters = 0;
        while (letters < word.size() && letters < 3 && word[word.size() - 1 - letters] >= u'a' &&
               word[word.size() - 1 - letters] <= u'z')
            ++letters;
        if (letters > 0 && letters < word.size() && isHiragana(word[word.size() - 1 - letters])) {
            const QString before = word.chopped(letters);
            forms.push_back(makeForm(before));
            if (const std::optional<QString> spelt = RomajiToHiragana(word.right(letters)))
                kana << before + *spelt;
        }
    }
    for (const QString &k : std::as_const(kana))
        forms.push_back(makeForm(k));
    QStringList bases = DictionaryForms(word);
    for (const QString &k : std::as_const(kana))
        bases += DictionaryForms(k);
    for (const QString &b : std::as_const(bases))
        forms.push_back(makeForm(b, true));
    return forms;
}

// The best each row scores for one query word.
std::vector<int> scoreWord(const Index &index, const std::vector<Form> &forms)
{
    std::vector<int> best(index.rows.size(), 0);
    auto credit = [&](const std::vector<Source> *sources, int less) {
        if (!sources)
            return;
        for (const Source &source : *sources)
            index.rowsOf(source, [&](int row, int weight) {
                best[size_t(row)] = std::max(best[size_t(row)], weight - less);
            });
    };
    auto lookup = [](const QHash<QStringView, std::vector<Source>> &map, QStringView key) {
        const auto found = map.constFind(key);
        return found == map.constEnd() ? nullptr : &*found;
    };
    bool anyWhole = false;
    for (const Form &f : forms) {
        const int less = f.inflected ? kInflected : 0;
        credit(lookup(index.strict, f.strict), less);
        credit(lookup(index.loose, f.loose), less + kLoosely);
        if (f.wholeOnly)
            continue;
        // The words it begins: as written, or loosely where the query itself has nothing to
        // leave out (にこ begins にっこり; がーん does not begin がんばる).
        const bool looseToo = f.loose == f.strict;
        for (const auto &[keys, map] : {std::pair{&index.strictKeys, &index.strict},
                                        std::pair{&index.looseKeys, &index.loose}}) {
            if (map == &index.loose && !looseToo)
                continue;
            const QString &key = map == &index.loose ? f.loose : f.strict;
            // A few thousand words, looked through: quicker than keeping them sorted.
            for (QStringView k : *keys) {
                if (k.size() > key.size() && k.startsWith(key))
                    credit(lookup(*map, k), kBeginning);
            }
        }
    }
    anyWhole = std::any_of(best.begin(), best.end(), [](int s) { return s > 0; });
    const QString &typed = forms.front().strict;
    // A word that finds nothing by itself may hold one (ありがとうございます, てへぺろ): the
    // longest words of two characters or more inside it count, less the part they leave over.
    if (!anyWhole) {
        for (const Form &f : forms) {
            if (f.inflected)
                continue;
            // In Latin letters, an English word of three letters or more (nakimushi holds no
            // "hi") that is at least half of the query: weather is no word about eating, nor
            // weekend one about the end.
            const bool latin = isLatin(f.strict);
            const qsizetype shortest =
                latin ? std::max<qsizetype>(3, (f.strict.size() + 1) / 2) : 2;
            for (auto p = index.strict.constBegin(); p != index.strict.constEnd(); ++p) {
                if (p.key().size() >= shortest && p.key().size() < f.strict.size() &&
                    f.strict.contains(p.key()))
                    credit(&p.value(), kInside - int(10 * p.key().size() / f.strict.size()));
            }
        }
    }
    // A word of marks alone (ーー, っっ) has no loose form: contained in every category name.
    const QString looseTyped = LooseForm(typed);
    if (typed.size() >= 2) {
        for (size_t i = 0; i < index.rows.size(); ++i) {
            if (index.kaomoji[i].contains(typed) || index.description[i].contains(typed) ||
                (!looseTyped.isEmpty() && index.category[i].contains(looseTyped)))
                best[i] = std::max(best[i], kOwn - kContains);
        }
    }
    return best;
}

// Whether a word, in one of its readings, is a word of the tables.
bool known(const Index &index, const QString &folded)
{
    const std::vector<Form> forms = readings(folded);
    return std::any_of(forms.begin(), forms.end(), [&](const Form &f) {
        return index.strict.contains(f.strict) || index.loose.contains(f.loose);
    });
}

// Kana that join the words of a phrase (猫が, 雨の日, 試合に勝った).
bool isParticle(QStringView kana)
{
    for (QStringView p : {u"が", u"の", u"に", u"を", u"は", u"も", u"で", u"と", u"へ", u"や",
                          u"か", u"から", u"まで", u"より", u"って"}) {
        if (kana == p)
            return true;
    }
    return false;
}

// A phrase as an input method converts it, kanji or katakana with kana after them: the words it
// is made of, each a run of kanji or katakana with the endings that follow it, a particle after
// it left off (猫が: 猫; 試合に勝った: 試合, 勝った; ケーキがおいしい: ケーキ, おいしい). Text in
// kana alone is one word: there the words have no visible seams.
QStringList phraseWords(const QString &word)
{
    auto isKana = [](QChar c) { return c.unicode() >= 0x3041 && c.unicode() <= 0x3096; };
    // Kanji and katakana: what a word's stem is written in.
    auto isStem = [](QChar c) {
        const char16_t u = c.unicode();
        return (u >= 0x4E00 && u <= 0x9FFF) || u == 0x3005 || (u >= 0x30A1 && u <= 0x30FC);
    };
    QStringList parts;
    qsizetype start = 0;
    for (qsizetype i = 1; i <= word.size(); ++i) {
        if (i < word.size() && !(isKana(word[i - 1]) && isStem(word[i])))
            continue;
        QString part = word.mid(start, i - start);
        start = i;
        qsizetype stem = part.size();
        while (stem > 0 && isKana(part[stem - 1]))
            --stem;
        if (!std::any_of(part.begin(), part.begin() + stem, isStem))
            stem = 0;
        const QStringView kana = QStringView(part).mid(stem);
        if (stem > 0 && isParticle(kana)) {
            parts << part.left(stem);
            continue;
        }
        // A particle, then a word in kana (機嫌がいい).
        bool split = false;
        for (qsizetype n = 1; stem > 0 && n <= 2 && !split; ++n) {
            if (kana.size() > n + 1 && isParticle(kana.left(n))) {
                parts << part.left(stem) << kana.mid(n).toString();
                split = true;
            }
        }
        if (!split)
            parts << part;
    }
    return parts;
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
    for (const KaomojiRow &row : UserKaomoji::Rows())
        entries.push_back({&UserKaomoji::Category(), &row});
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

QString FoldForSearch(const QString &text)
{
    // Plain Latin letters, kana and kanji are what NFKC leaves as they are: most of the words,
    // spared the normalization.
    const bool normal = std::all_of(text.begin(), text.end(), [](QChar c) {
        const char16_t u = c.unicode();
        return u < 0x80 || (u >= 0x3041 && u <= 0x3096) || (u >= 0x30A1 && u <= 0x30FA) ||
               u == 0x30FC || (u >= 0x4E00 && u <= 0x9FFF);
    });
    QString folded =
        (normal ? text : text.normalized(QString::NormalizationForm_KC)).toCaseFolded();
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
    loose.reserve(folded.size());
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

std::vector<CatalogueEntry> Search(const QString &query,
                                   const std::function<bool(const CatalogueEntry &)> &preferred)
{
    const Index &idx = index();
    QStringList words;
    for (const QString &typed : query.split(u' ', Qt::SkipEmptyParts)) {
        const QString word = trimmed(FoldForSearch(typed));
        // Split before folding: folded, katakana reads as kana.
        QStringList parts = phraseWords(trimmed(typed.normalized(QString::NormalizationForm_KC)));
        for (QString &part : parts)
            part = FoldForSearch(part);
        // A phrase the tables know (腹が立つ as 腹立つ) is one word, as is any known word.
        if (parts.size() > 1 || (parts.size() == 1 && parts.front() != word)) {
            const QString joined = parts.join(QString());
            if (known(idx, word))
                parts = {word};
            else if (parts.size() > 1 && known(idx, joined))
                parts = {joined};
        }
        words << parts;
    }
    QStringList meaningful = words;
    meaningful.removeIf([](const QString &w) { return fillers().contains(w); });
    if (!meaningful.isEmpty())
        words = meaningful;
    if (words.isEmpty())
        return {};
    // Per row: how many words it matches, and how well in all.
    std::vector<int> matched(idx.rows.size(), 0), total(idx.rows.size(), 0);
    for (const QString &w : std::as_const(words)) {
        const std::vector<int> best = scoreWord(idx, readings(w));
        for (size_t i = 0; i < best.size(); ++i) {
            matched[i] += best[i] > 0;
            total[i] += best[i];
        }
    }
    // Words written apart that make one (good night, ありがとう ございます).
    if (words.size() > 1) {
        const std::vector<int> joined = scoreWord(idx, readings(words.join(QString())));
        for (size_t i = 0; i < joined.size(); ++i) {
            if (joined[i] > 0 && joined[i] * int(words.size()) > total[i]) {
                matched[i] = int(words.size());
                total[i] = joined[i] * int(words.size());
            }
        }
    }
    std::vector<size_t> order;
    for (size_t i = 0; i < idx.rows.size(); ++i) {
        if (matched[i] > 0)
            order.push_back(i);
    }
    std::vector<bool> first(idx.rows.size(), false);
    if (preferred) {
        for (size_t i : order)
            first[i] = preferred(idx.rows[i]);
    }
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return std::tuple(matched[a], total[a], bool(first[a])) >
               std::tuple(matched[b], total[b], bool(first[b]));
    });
    std::vector<CatalogueEntry> result;
    for (size_t i : order)
        result.push_back(idx.rows[i]);
    return result;
}

std::vector<Reading> InputMethodReadings()
{
    // Enough to offer a choice among the candidates, few enough to leave the word's own
    // spellings near the top.
    constexpr size_t kPerReading = 3;
    const Index &idx = index();
    std::vector<Reading> readings;
    // Words people say, not a description's reading: a reading such as 「あせたらり」 is a phrase
    // to Mozc, and a phrase from a user dictionary wins over the words it is made of.
    auto spoken = [&](QStringView key) {
        const std::vector<Source> sources = idx.strict.value(key);
        return std::any_of(sources.begin(), sources.end(),
                           [](const Source &s) { return s.kind != Source::RowText; });
    };
    std::vector<QString> keys;
    for (QStringView key : idx.strictKeys) {
        if (key.size() >= 2 && std::all_of(key.begin(), key.end(), isHiragana) && spoken(key))
            keys.push_back(key.toString());
    }
    std::sort(keys.begin(), keys.end());
    for (size_t k = 0; k < keys.size(); ++k) {
        const QString &key = keys[k];
        // Best first: a row's own words before its situations' and its category's.
        std::vector<std::pair<int, int>> found; // weight, row
        for (const Source &source : idx.strict.value(key)) {
            if (source.kind != Source::RowText)
                idx.rowsOf(source, [&](int row, int weight) { found.emplace_back(weight, row); });
        }
        // Among equals by their own words, the user's own first: those are the words they mean.
        auto mine = [&](std::pair<int, int> found) {
            return found.first == kOwn &&
                   idx.rows[size_t(found.second)].category == &UserKaomoji::Category();
        };
        std::sort(found.begin(), found.end(), [&](auto a, auto b) {
            return a.first != b.first   ? a.first > b.first
                   : mine(a) != mine(b) ? mine(a)
                                        : a.second < b.second;
        });
        if (found.empty())
            continue;
        Reading r{key, {}};
        for (const auto &[weight, row] : found) {
            const CatalogueEntry &e = idx.rows[size_t(row)];
            // A kaomoji in two categories is offered once.
            if (r.entries.size() < kPerReading &&
                std::none_of(r.entries.begin(), r.entries.end(), [&](const CatalogueEntry &o) {
                    return o.row->kaomoji == e.row->kaomoji;
                }))
                r.entries.push_back(e);
        }
        readings.push_back(std::move(r));
    }
    return readings;
}

} // namespace pukalo
