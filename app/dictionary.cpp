#include "app/dictionary.h"

#include "catalogue/search.h"
#include "catalogue/userkaomoji.h"

#include <QFile>
#include <QHash>

namespace pukalo {

namespace {
// The part of speech each reading goes to Mozc as, measured with the real Mozc by
// bench/quality/mozc_readings.py, which writes the list: typed alone and followed by particles,
// nouns, copulas and sentence ends, no reading's first conversion changes and no candidate joins
// a kaomoji to the words around it. A reading that every part of speech would let into a
// sentence is left out ("-", kept here as an empty part), as is one the list does not know.
QHash<QString, QString> measuredParts()
{
    QHash<QString, QString> parts;
    QFile file(QStringLiteral(":/dictionary/dictionary-readings.tsv"));
    if (!file.open(QIODevice::ReadOnly))
        return parts;
    for (const QByteArray &line : file.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() == 2 && !line.startsWith('#'))
            parts.insert(QString::fromUtf8(fields[0]),
                         fields[1] == "-" ? QString() : QString::fromUtf8(fields[1]));
    }
    return parts;
}
} // namespace

// The user's own kaomoji under a word of their own the list has never measured go as
// サジェストのみ: measured on every reading, it changes no conversion in any sentence; the
// kaomoji is offered while typing (first, often, which is what the user gave it the word for).
// A reading measured harmful stays out, the user's or not.
std::vector<DictionaryLine> InputMethodDictionary()
{
    const QHash<QString, QString> parts = measuredParts();
    const QString suggestionOnly = QStringLiteral("サジェストのみ");
    std::vector<DictionaryLine> lines;
    for (const Reading &r : InputMethodReadings()) {
        const auto measured = parts.constFind(r.reading);
        for (const CatalogueEntry &e : r.entries) {
            const bool own = e.category == &UserKaomoji::Category();
            const QString part = measured != parts.constEnd() ? *measured
                                 : own                        ? suggestionOnly
                                                              : QString();
            if (!part.isEmpty())
                lines.push_back({r.reading, QStringView(e.row->kaomoji).toString(), part,
                                 QStringView(e.row->description).toString()});
        }
    }
    return lines;
}

} // namespace pukalo
