#include "ui/japanesefont.h"

#include "platform/programinfo.h"
#include "platform/stderrline.h"

#include <QApplication>
#include <QFontDatabase>
#include <QMessageBox>
#include <QStringList>
#include <cstdio>

namespace pukalo {

QString DesignFontFamily()
{
    // Named directly rather than through QFont's substitutions: Qt looks up the fallback fonts
    // of every script a text uses (kana, kanji, Latin, ...) once for the name asked for and
    // once more for the font standing in for it, and that lookup is the largest part of
    // opening the first window.
    static const QString family = [] {
        const QStringList installed = QFontDatabase::families(QFontDatabase::Japanese);
        // Proportional gothics first, in the order a Japanese desktop is most likely to have
        // them; the fixed-pitch IPAGothic last, since it is still better than no glyph at all.
        for (const char16_t *gothic :
             {u"ＭＳ Ｐゴシック", u"MS PGothic", u"IPAPGothic", u"Noto Sans CJK JP",
              u"Noto Sans JP", u"VL PGothic", u"TakaoPGothic", u"IPAexGothic", u"IPAGothic"}) {
            const QString name = QString::fromUtf16(gothic);
            if (installed.contains(name, Qt::CaseInsensitive))
                return name;
        }
        return installed.value(0);
    }();
    return family;
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
