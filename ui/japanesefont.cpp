#include "ui/japanesefont.h"

#include "platform/programinfo.h"
#include "platform/stderrline.h"

#include <QApplication>
#include <QFontDatabase>
#include <QHash>
#include <QMessageBox>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <fontconfig/fontconfig.h>

namespace pukalo {

namespace {
// Every name of every installed font that writes Japanese (IPAPGothic is also 「IPA Pゴシック」,
// and under a Japanese locale that is the name Qt lists it by), with the name Qt lists.
const QHash<QString, QString> &japaneseFamilies()
{
    static const QHash<QString, QString> names = [] {
        QHash<QString, QString> result;
        const QStringList listed = QFontDatabase::families(QFontDatabase::Japanese);
        FcPattern *pattern = FcPatternCreate();
        FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8 *>("ja"));
        FcObjectSet *objects = FcObjectSetBuild(FC_FAMILY, nullptr);
        if (FcFontSet *fonts = FcFontList(nullptr, pattern, objects)) {
            for (int f = 0; f < fonts->nfont; ++f) {
                QStringList aliases;
                FcChar8 *name = nullptr;
                for (int i = 0;
                     FcPatternGetString(fonts->fonts[f], FC_FAMILY, i, &name) == FcResultMatch; ++i)
                    aliases << QString::fromUtf8(reinterpret_cast<const char *>(name));
                const auto shown =
                    std::find_if(aliases.begin(), aliases.end(),
                                 [&](const QString &a) { return listed.contains(a); });
                for (const QString &alias : std::as_const(aliases))
                    result.insert(alias.toCaseFolded(), shown == aliases.end() ? alias : *shown);
            }
            FcFontSetDestroy(fonts);
        }
        FcObjectSetDestroy(objects);
        FcPatternDestroy(pattern);
        return result;
    }();
    return names;
}
} // namespace

QString DesignFontFamily()
{
    // Named directly, as Qt lists the font, rather than through QFont's substitutions: Qt looks
    // up the fallback fonts of every script a text uses (kana, kanji, Latin, ...) once for the
    // name asked for and once more for the font standing in for it, and that lookup is the
    // largest part of opening the first window.
    static const QString family = [] {
        // Proportional gothics first, in the order a Japanese desktop is most likely to have
        // them; the fixed-pitch IPAGothic last, since it is still better than no glyph at all.
        for (const char16_t *gothic :
             {u"MS PGothic", u"IPAPGothic", u"Noto Sans CJK JP", u"Noto Sans JP", u"VL PGothic",
              u"TakaoPGothic", u"IPAexGothic", u"IPAGothic"}) {
            const auto found =
                japaneseFamilies().constFind(QString::fromUtf16(gothic).toCaseFolded());
            if (found != japaneseFamilies().constEnd())
                return *found;
        }
        return QFontDatabase::families(QFontDatabase::Japanese).value(0);
    }();
    return family;
}

bool FamilyIsKnownAs(const QString &family, const QString &name)
{
    return japaneseFamilies().value(name.toCaseFolded()) == family;
}

QFont DesignFont(double points, bool bold, bool italic)
{
    QFont font(DesignFontFamily());
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

void ApplyDesignLook()
{
    QApplication::setFont(DesignFont(9));
}

bool JapaneseFontInstalled()
{
    return !DesignFontFamily().isEmpty();
}

void ReportMissingJapaneseFont()
{
    const QString text = QStringLiteral(
        "No Japanese font is installed, so Pukalo cannot show its kaomoji and captions.\n"
        "Install one, for example: sudo apt-get install fonts-ipafont-gothic\n\n"
        "日本語フォントがインストールされていないため、プカロを表示できません。");
    StderrLine("%s", qUtf8Printable(text));
    QMessageBox box(QMessageBox::Critical, QString::fromUtf8(program::kName), text,
                    QMessageBox::Ok);
    box.exec();
}

} // namespace pukalo
