#include "app/japanesefont.h"

#include <QStringList>

namespace pukalo {

QString DesignFontFamily()
{
    return QStringLiteral("ＭＳ Ｐゴシック");
}

void InstallJapaneseFontSubstitutes()
{
    // Proportional gothics first, in the order a Japanese desktop is most likely to have
    // them; the fixed-pitch IPAGothic last, since it is still better than no glyph at all.
    const QStringList gothics = {
        QStringLiteral("IPAPGothic"),   QStringLiteral("Noto Sans CJK JP"),
        QStringLiteral("Noto Sans JP"), QStringLiteral("VL PGothic"),
        QStringLiteral("TakaoPGothic"), QStringLiteral("IPAexGothic"),
        QStringLiteral("IPAGothic"),
    };
    QFont::insertSubstitutions(DesignFontFamily(), gothics);
    QFont::insertSubstitutions(QStringLiteral("MS PGothic"), gothics);
}

QFont DesignFont(double points, bool bold, bool italic)
{
    QFont font(DesignFontFamily());
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

} // namespace pukalo
