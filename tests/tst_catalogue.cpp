// The catalogue's invariants and the way a category is put into the four lists.

#include "app/controls.h"
#include "catalogue/catalogue.h"
#include "catalogue/loadcategory.h"

#include <QSet>
#include <QTest>
#include <iconv.h>
#include <map>

using namespace pukalo;

namespace {
const KaomojiCategory &byName(const QString &name)
{
    for (const KaomojiCategory &c : CategoryTable) {
        if (ToQString(c.name) == name)
            return c;
    }
    qFatal("no category %s", qPrintable(name));
}

// Converts through Windows code page 932 and back; null when a character has no code there.
QString roundTripCp932(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    auto convert = [](const char *to, const char *from, const QByteArray &in) -> QByteArray {
        iconv_t cd = iconv_open(to, from);
        if (cd == iconv_t(-1))
            qFatal("iconv cannot convert %s to %s", from, to);
        QByteArray out(in.size() * 4 + 4, '\0');
        char *inPtr = const_cast<char *>(in.constData());
        size_t inLeft = size_t(in.size());
        char *outPtr = out.data();
        size_t outLeft = size_t(out.size());
        const size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        iconv_close(cd);
        if (rc == size_t(-1))
            return QByteArray();
        out.truncate(out.size() - qsizetype(outLeft));
        return out;
    };
    const QByteArray sjis = convert("CP932", "UTF-8", utf8);
    if (sjis.isNull() && !utf8.isEmpty())
        return QString();
    return QString::fromUtf8(convert("UTF-8", "CP932", sjis));
}

// Records every Clear and AddItem on the four lists, in the order they happen.
class ListCallLog : public QObject
{
public:
    QStringList calls;
    void watch(ListBox &list, const QString &name)
    {
        QAbstractItemModel *model = list.model();
        connect(model, &QAbstractItemModel::modelReset, this,
                [this, name] { calls << name + QStringLiteral(" Clear"); });
        connect(model, &QAbstractItemModel::rowsInserted, this,
                [this, name, model](const QModelIndex &, int first, int last) {
                    for (int row = first; row <= last; ++row)
                        calls << name + QStringLiteral(" Add ") +
                                     model->index(row, 0).data().toString();
                });
    }
};
} // namespace

class TestCatalogue : public QObject
{
    Q_OBJECT
private slots:
    void columns_data();
    void columns();
    void totals();
    void rowTexts();
    void kaomojiWithOuterBlanks_data();
    void kaomojiWithOuterBlanks();
    void kaomojiSharedByTwoCategories();
    void spotValues_data();
    void spotValues();
    void listImage_data();
    void listImage();
    void loadCategoryCallSequence_data();
    void loadCategoryCallSequence();
    void loadReplacesPreviousCategory();
};

void TestCatalogue::columns_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("displayPosition");
    QTest::addColumn<int>("catalogueNumber");
    QTest::addColumn<int>("leftRows");
    QTest::addColumn<int>("rightRows");

    QTest::newRow("笑顔１") << QStringLiteral("笑顔１") << 1 << 1 << 6 << 6;
    QTest::newRow("笑顔２") << QStringLiteral("笑顔２") << 2 << 2 << 6 << 6;
    QTest::newRow("笑顔３") << QStringLiteral("笑顔３") << 3 << 14 << 6 << 1;
    QTest::newRow("泣き顔１") << QStringLiteral("泣き顔１") << 4 << 3 << 6 << 6;
    QTest::newRow("泣き顔２") << QStringLiteral("泣き顔２") << 5 << 15 << 6 << 1;
    QTest::newRow("ごめんなさい") << QStringLiteral("ごめんなさい") << 6 << 4 << 6 << 6;
    QTest::newRow("あらら・(汗)") << QStringLiteral("あらら・(汗)") << 7 << 5 << 6 << 6;
    QTest::newRow("単純") << QStringLiteral("単純") << 8 << 6 << 6 << 6;
    QTest::newRow("漢字") << QStringLiteral("漢字") << 9 << 7 << 6 << 6;
    QTest::newRow("漢字２") << QStringLiteral("漢字２") << 10 << 16 << 6 << 4;
    QTest::newRow("バイバイ") << QStringLiteral("バイバイ") << 11 << 8 << 6 << 6;
    QTest::newRow("気分") << QStringLiteral("気分") << 12 << 9 << 6 << 6;
    QTest::newRow("驚き") << QStringLiteral("驚き") << 13 << 11 << 6 << 1;
    QTest::newRow("怒り") << QStringLiteral("怒り") << 14 << 10 << 6 << 6;
    QTest::newRow("キャラクター") << QStringLiteral("キャラクター") << 15 << 12 << 6 << 6;
    QTest::newRow("その他１") << QStringLiteral("その他１") << 16 << 13 << 6 << 6;
}

void TestCatalogue::columns()
{
    QFETCH(QString, name);
    QFETCH(int, displayPosition);
    QFETCH(int, catalogueNumber);
    QFETCH(int, leftRows);
    QFETCH(int, rightRows);

    const KaomojiCategory &c = byName(name);
    QCOMPARE(c.displayPosition, displayPosition);
    QCOMPARE(c.catalogueNumber, catalogueNumber);
    QCOMPARE(&CategoryTable[size_t(catalogueNumber - 1)], &c);
    QCOMPARE(int(c.left.size()), leftRows);
    QCOMPARE(int(c.right.size()), rightRows);
    QCOMPARE(ToQString(CategoriesInDisplayOrder()[size_t(displayPosition - 1)]->name), name);
}

void TestCatalogue::totals()
{
    int left = 0;
    int right = 0;
    QSet<QString> names;
    for (const KaomojiCategory &c : CategoryTable) {
        left += int(c.left.size());
        right += int(c.right.size());
        names.insert(ToQString(c.name));
    }
    QCOMPARE(left, 96);
    QCOMPARE(right, 79);
    QCOMPARE(names.size(), 16);
}

// Per row: lengths, distinctness within the category, plain blanks, and that every text
// (names too) survives the round trip through code page 932 unchanged.
void TestCatalogue::rowTexts()
{
    for (const KaomojiCategory &c : CategoryTable) {
        const QString name = ToQString(c.name);
        QCOMPARE(roundTripCp932(name), name);
        QSet<QString> kaomoji;
        QSet<QString> descriptions;
        for (const auto &column : {c.left, c.right}) {
            for (const KaomojiRow &row : column) {
                const QString k = ToQString(row.kaomoji);
                const QString d = ToQString(row.description);
                QVERIFY2(k.size() >= 1 && k.size() <= 11, qPrintable(k));
                QVERIFY2(d.size() >= 1 && d.size() <= 13, qPrintable(d));
                QVERIFY2(!kaomoji.contains(k), qPrintable(name + u' ' + k));
                QVERIFY2(!descriptions.contains(d), qPrintable(name + u' ' + d));
                kaomoji.insert(k);
                descriptions.insert(d);
                for (QChar ch : k + d) {
                    if (ch.isSpace())
                        QVERIFY2(ch == u' ', qPrintable(k + u' ' + d));
                }
                QCOMPARE(roundTripCp932(k), k);
                QCOMPARE(roundTripCp932(d), d);
            }
        }
    }
    // The converter really rejects or alters what code page 932 lacks, so the checks above
    // can fail.
    QVERIFY(roundTripCp932(QStringLiteral("é")).isNull());
    QCOMPARE_NE(roundTripCp932(QStringLiteral("〜")), QStringLiteral("〜"));
}

void TestCatalogue::kaomojiWithOuterBlanks_data()
{
    QTest::addColumn<QString>("category");
    QTest::addColumn<char>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("kaomoji");
    QTest::addColumn<int>("length");

    auto add = [](const char16_t *cat, char col, int row, const char16_t *k, int length) {
        QTest::addRow("%s %c%d", qPrintable(QString::fromUtf16(cat)), col, row)
            << QString::fromUtf16(cat) << col << row << QString::fromUtf16(k) << length;
    };
    add(u"笑顔２", 'R', 4, u"(☆o☆) ", 6);
    add(u"笑顔２", 'R', 6, u" (o^_^o) ", 9);
    add(u"泣き顔１", 'L', 2, u"(; ;) ", 6);
    add(u"泣き顔１", 'L', 4, u"（Ｔ^Ｔ） ", 6);
    add(u"ごめんなさい", 'L', 4, u"(--)(__) ", 9);
    add(u"ごめんなさい", 'R', 2, u" m(_ _;)m ", 10);
    add(u"ごめんなさい", 'R', 3, u" (__) ", 6);
    add(u"ごめんなさい", 'R', 4, u" (._.) ", 7);
    add(u"ごめんなさい", 'R', 5, u" m(ｰｰ)m ", 8);
    add(u"ごめんなさい", 'R', 6, u" (ｰ_ｰ;) ", 8);
    add(u"バイバイ", 'L', 2, u"(^-^)/~ ", 8);
    add(u"バイバイ", 'R', 1, u"(ｰｰ )/~~~ ", 10);
    add(u"バイバイ", 'R', 2, u"(ｰｰゞ/~~~ ", 9);
    add(u"バイバイ", 'R', 5, u"  *_*/~~~", 9);
    add(u"バイバイ", 'R', 6, u"  ･o･/~~~ ", 10);
    add(u"気分", 'L', 6, u"(o^ ^o)♪ ", 9);
    add(u"気分", 'R', 3, u"(×o×) ", 6);
    add(u"怒り", 'L', 5, u"(▼o▼)ｵﾗｵﾗ ", 10);
    add(u"怒り", 'R', 3, u" o(- -#)o  ", 11);
}

void TestCatalogue::kaomojiWithOuterBlanks()
{
    QFETCH(QString, category);
    QFETCH(char, column);
    QFETCH(int, row);
    QFETCH(QString, kaomoji);
    QFETCH(int, length);

    const KaomojiCategory &c = byName(category);
    const auto rows = column == 'L' ? c.left : c.right;
    const QString stored = ToQString(rows[size_t(row - 1)].kaomoji);
    QCOMPARE(stored, kaomoji);
    QCOMPARE(stored.size(), length);

    // These are all of them: no other kaomoji starts or ends with a blank.
    int withOuterBlanks = 0;
    for (const KaomojiCategory &each : CategoryTable) {
        for (const auto &col : {each.left, each.right}) {
            for (const KaomojiRow &r : col) {
                const QString k = ToQString(r.kaomoji);
                withOuterBlanks += k.startsWith(u' ') || k.endsWith(u' ');
            }
        }
    }
    QCOMPARE(withOuterBlanks, 19);
}

void TestCatalogue::kaomojiSharedByTwoCategories()
{
    std::map<QString, QStringList> where;
    for (const KaomojiCategory &c : CategoryTable) {
        for (const auto &col : {c.left, c.right}) {
            for (const KaomojiRow &r : col)
                where[ToQString(r.kaomoji)] << ToQString(c.name);
        }
    }
    std::map<QString, QStringList> shared;
    for (auto &[k, cats] : where) {
        if (cats.size() > 1) {
            cats.sort();
            shared[k] = cats;
        }
    }
    auto pair = [](const char16_t *a, const char16_t *b) {
        QStringList l{QString::fromUtf16(a), QString::fromUtf16(b)};
        l.sort();
        return l;
    };
    const std::map<QString, QStringList> expected = {
        {QStringLiteral("(^o^)/"), pair(u"笑顔２", u"笑顔３")},
        {QStringLiteral("p(^_^)q"), pair(u"笑顔２", u"気分")},
        {QStringLiteral("(v_v)"), pair(u"泣き顔２", u"ごめんなさい")},
        {QStringLiteral("(〒o〒)"), pair(u"泣き顔２", u"その他１")},
        {QStringLiteral("o(^-^)o"), pair(u"気分", u"その他１")},
    };
    QCOMPARE(shared, expected);
}

void TestCatalogue::spotValues_data()
{
    QTest::addColumn<QString>("category");
    QTest::addColumn<char>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("kaomoji");
    QTest::addColumn<QString>("description"); // empty: left to the catalogue's author

    auto add = [](const char *tag, const char16_t *cat, char col, int row, const char16_t *k,
                  const char16_t *d) {
        QTest::newRow(tag) << QString::fromUtf16(cat) << col << row << QString::fromUtf16(k)
                           << QString::fromUtf16(d);
    };
    add("full-width smile", u"笑顔１", 'L', 3, u"（＾＾）", u"");
    add("unbalanced", u"笑顔１", 'L', 4, u"(^^", u"");
    add("first smile", u"笑顔１", 'L', 1, u"(^^)", u"標準ニコニコ");
    add("でへ", u"笑顔１", 'R', 1, u"(^^ゞ", u"でへ！（※）");
    add("p(^_^)q smiles", u"笑顔２", 'R', 2, u"p(^_^)q", u"え＠ふふふ");
    add("p(^_^)q mood", u"気分", 'R', 2, u"p(^_^)q", u"がんばれ！");
    add("half-width dot", u"単純", 'L', 4, u"(･_･)", u"");
    add("shortest description", u"単純", 'L', 5, u"(-.-)", u"う");
    add("closing bracket only", u"単純", 'L', 3, u"(∵）", u"");
    add("opening bracket only", u"泣き顔１", 'R', 5, u"（・・、)", u"");
    add("full-width T, blank", u"泣き顔１", 'L', 4, u"（Ｔ^Ｔ） ", u"");
    add("full-width T", u"泣き顔２", 'L', 5, u"（Ｔ^Ｔ）", u"");
    add("sorry as description", u"ごめんなさい", 'L', 3, u"m(._.)m", u"ごめんなさい");
    add("backslashes", u"気分", 'R', 4, u"(\\o\\)", u"");
    add("quote in description", u"気分", 'L', 1, u"o(^o^)o", u"わくわく\"");
    add("ASCII bang", u"気分", 'R', 1, u"m(^0^)m♪", u"歌おう!");
    add("shortest kaomoji", u"キャラクター", 'L', 3, u"θ", u"");
    add("octopus", u"キャラクター", 'R', 2, u"Ｃ:。ミ", u"タコ");
    add("longest", u"怒り", 'R', 3, u" o(- -#)o  ", u"");
    add("surprise right", u"驚き", 'R', 1, u"(・_・）？", u"えー");
    add("anything said", u"その他１", 'L', 1, u"(-o-?ゞ", u"なんか言いました？");
}

void TestCatalogue::spotValues()
{
    QFETCH(QString, category);
    QFETCH(char, column);
    QFETCH(int, row);
    QFETCH(QString, kaomoji);
    QFETCH(QString, description);

    const KaomojiCategory &c = byName(category);
    const KaomojiRow &r = (column == 'L' ? c.left : c.right)[size_t(row - 1)];
    QCOMPARE(ToQString(r.kaomoji), kaomoji);
    if (!description.isEmpty())
        QCOMPARE(ToQString(r.description), description);
}

void TestCatalogue::listImage_data()
{
    QTest::addColumn<QString>("category");
    QTest::addColumn<char>("column");
    QTest::addColumn<QStringList>("kaomoji");
    QTest::addColumn<QString>("firstDescription");

    const QString s; // spacer
    QTest::newRow("6 rows") << QStringLiteral("笑顔１") << 'L'
                            << QStringList{QStringLiteral("(^^)"),     s,
                                           QStringLiteral("<^^>"),     s,
                                           QStringLiteral("（＾＾）"), s,
                                           QStringLiteral("(^^"),      s,
                                           QStringLiteral("(^o^)"),    s,
                                           QStringLiteral("(^_^)v")}
                            << QStringLiteral("標準ニコニコ");
    QTest::newRow("4 rows") << QStringLiteral("漢字２") << 'R'
                            << QStringList{QStringLiteral("（完）"),   s,
                                           QStringLiteral("（藁）"),   s,
                                           QStringLiteral("（微笑）"), s,
                                           QStringLiteral("（苦笑）")}
                            << QStringLiteral("終わりです");
    QTest::newRow("1 row") << QStringLiteral("驚き") << 'R'
                           << QStringList{QStringLiteral("(・_・）？"), s}
                           << QStringLiteral("えー");
}

void TestCatalogue::listImage()
{
    QFETCH(QString, category);
    QFETCH(char, column);
    QFETCH(QStringList, kaomoji);
    QFETCH(QString, firstDescription);

    const KaomojiCategory &c = byName(category);
    const ListImage image = MakeListImage(column == 'L' ? c.left : c.right);
    QCOMPARE(image.kaomoji, kaomoji);
    QCOMPARE(image.descriptions.size(), kaomoji.size());
    QCOMPARE(image.descriptions.first(), firstDescription);
    for (qsizetype i = 0; i < kaomoji.size(); ++i) {
        // Spacers stand side by side, and a spacer is empty, not a blank.
        QCOMPARE(image.descriptions[i].isEmpty(), kaomoji[i].isEmpty());
        QCOMPARE(kaomoji[i].isEmpty(), i % 2 == 1);
        if (kaomoji[i].isEmpty())
            QVERIFY(!image.descriptions[i].isNull() || image.descriptions[i].size() == 0);
    }
}

void TestCatalogue::loadCategoryCallSequence_data()
{
    QTest::addColumn<QString>("category");
    QTest::addColumn<int>("calls");
    QTest::addColumn<int>("list3Entries");

    QTest::newRow("6 right rows") << QStringLiteral("キャラクター") << 48 << 11;
    QTest::newRow("4 right rows") << QStringLiteral("漢字２") << 40 << 7;
    QTest::newRow("驚き") << QStringLiteral("驚き") << 30 << 2;
    QTest::newRow("笑顔３") << QStringLiteral("笑顔３") << 30 << 2;
    QTest::newRow("泣き顔２") << QStringLiteral("泣き顔２") << 30 << 2;
}

void TestCatalogue::loadCategoryCallSequence()
{
    QFETCH(QString, category);
    QFETCH(int, calls);
    QFETCH(int, list3Entries);

    ListBox list1, list2, list3, list4;
    ListCallLog log;
    log.watch(list1, QStringLiteral("List1"));
    log.watch(list2, QStringLiteral("List2"));
    log.watch(list3, QStringLiteral("List3"));
    log.watch(list4, QStringLiteral("List4"));

    const KaomojiCategory &c = byName(category);
    LoadCategory(c, {list1, list2, list3, list4});

    // Each list is emptied just before it is filled, one entry at a time, in list order.
    QStringList expected;
    const ListImage left = MakeListImage(c.left);
    const ListImage right = MakeListImage(c.right);
    const std::pair<const char *, const QStringList *> fills[] = {{"List1", &left.kaomoji},
                                                                  {"List2", &left.descriptions},
                                                                  {"List3", &right.kaomoji},
                                                                  {"List4", &right.descriptions}};
    for (const auto &[name, entries] : fills) {
        expected << QLatin1StringView(name) + QStringLiteral(" Clear");
        for (const QString &e : *entries)
            expected << QLatin1StringView(name) + QStringLiteral(" Add ") + e;
    }
    QCOMPARE(log.calls, expected);
    QCOMPARE(log.calls.size(), calls);
    QCOMPARE(list1.count(), 11);
    QCOMPARE(list2.count(), 11);
    QCOMPARE(list3.count(), list3Entries);
    QCOMPARE(list4.count(), list3Entries);
    for (ListBox *list : {&list1, &list2, &list3, &list4})
        QCOMPARE(list->Text(), QString());
}

void TestCatalogue::loadReplacesPreviousCategory()
{
    ListBox list1, list2, list3, list4;
    const MainLists lists{list1, list2, list3, list4};

    LoadCategory(byName(QStringLiteral("驚き")), lists);
    LoadCategory(byName(QStringLiteral("キャラクター")), lists);
    QCOMPARE(list3.count(), 11);
    QCOMPARE(list3.item(0)->text(), QStringLiteral("田ﾐ"));
    QCOMPARE(list4.item(2)->text(), QStringLiteral("タコ"));

    LoadCategory(byName(QStringLiteral("驚き")), lists);
    LoadCategory(byName(QStringLiteral("驚き")), lists);
    QCOMPARE(list1.count(), 11);
    QCOMPARE(list3.count(), 2);
    QCOMPARE(list3.item(0)->text(), QStringLiteral("(・_・）？"));
    QCOMPARE(list4.item(1)->text().size(), 0);
    QCOMPARE(list1.item(10)->text(), QStringLiteral(")ﾟ0ﾟ("));
}

QTEST_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
