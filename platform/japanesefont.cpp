#include "platform/japanesefont.h"

#include "platform/programinfo.h"

#include <QApplication>
#include <QFontDatabase>
#include <QMessageBox>
#include <QStringList>
#include <cstdio>

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

void ApplyDesignLook()
{
    InstallJapaneseFontSubstitutes();
    QApplication::setFont(DesignFont(9));
}

bool JapaneseFontInstalled()
{
    return !QFontDatabase::families(QFontDatabase::Japanese).isEmpty();
}

void ReportMissingJapaneseFont()
{
    const QString text = QStringLiteral(
        "No Japanese font is installed, so Pukalo cannot show its kaomoji and captions.\n"
        "Install one, for example: sudo apt-get install fonts-ipafont-gothic\n\n"
        "日本語フォントがインストールされていないため、プカロを表示できません。");
    std::fprintf(stderr, "pukalo: %s\n", qUtf8Printable(text));
    QMessageBox box(QMessageBox::Critical, QString::fromUtf8(program::kName), text, QMessageBox::Ok);
    box.exec();
}

} // namespace pukalo
