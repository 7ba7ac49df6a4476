#include "settings/recent.h"

#include "platform/settingsstore.h"
#include "catalogue/search.h"

#include <cstdio>

namespace pukalo::Recent {

namespace {
const QString kApplication = QStringLiteral("Pukalo");
const QString kSection = QStringLiteral("Recent");

// The history as stored, and whether every entry of the section could be read.
std::pair<QStringList, bool> load()
{
    QStringList kaomoji;
    bool readable = true;
    std::vector<QString> byPlace(kLimit);
    for (const auto &[key, value] : GetSection(kApplication, kSection)) {
        bool number = false;
        const int place = key.toInt(&number);
        if (!number || place < 1 || place > kLimit || value.isNull() || !FindKaomoji(value)) {
            readable = false;
            continue;
        }
        byPlace[size_t(place - 1)] = value;
    }
    for (const QString &k : byPlace) {
        if (!k.isEmpty() && !kaomoji.contains(k))
            kaomoji << k;
    }
    return {kaomoji, readable};
}

void store(const QStringList &kaomoji)
{
    std::vector<std::pair<QString, QString>> entries;
    for (qsizetype i = 0; i < kaomoji.size(); ++i)
        entries.emplace_back(QString::number(i + 1), kaomoji[i]);
    if (!ReplaceSection(kApplication, kSection, entries))
        std::fprintf(stderr, "pukalo: could not save the recently used kaomoji\n");
}
} // namespace

QStringList Read()
{
    return load().first;
}

void Add(const QString &kaomoji)
{
    auto [recent, readable] = load();
    if (!readable || !RewritesUnchanged(kApplication))
        return;
    recent.removeAll(kaomoji);
    recent.prepend(kaomoji);
    store(recent.mid(0, kLimit));
}

void Clear()
{
    if (load().second && RewritesUnchanged(kApplication))
        store({});
}

} // namespace pukalo::Recent
