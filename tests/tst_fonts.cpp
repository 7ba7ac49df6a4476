// Every caption, label and list entry of every window fits its control, with whichever Japanese
// gothic fontconfig offers (the test runs once with IPA alone, once with Noto CJK alone: the
// family named in ONLY_FONT; without it installed the run is skipped).

#include "catalogue/catalogue.h"
#include "forms/info/formhelp.h"
#include "forms/info/formver.h"
#include "forms/logo/formlogo.h"
#include "forms/main/formmain.h"
#include "forms/settings/formsettei.h"
#include "testsupport.h"
#include "ui/controls.h"
#include "ui/japanesefont.h"

#include <QCheckBox>
#include <QStyle>
#include <QTest>
#include <QTextLayout>

using namespace pukalo;

// Where a text painted in this font, wrapped at `width` or not, overflows: a line wider than
// the width, or more lines of the design's pitch than `height` holds (its last one's descent
// may overhang).
static QString overflow(const QString &text, const QFont &font, int width, int height, bool wrap)
{
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(wrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    int lines = 0;
    qreal widest = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        widest = std::max(widest, line.naturalTextWidth());
        ++lines;
    }
    layout.endLayout();
    const int pitch = QFontInfo(font).pixelSize();
    if (widest > width || lines * pitch > height + pitch / 2)
        return QStringLiteral("「%1」: %2 lines %3 px wide in %4 x %5")
            .arg(text)
            .arg(lines)
            .arg(widest)
            .arg(width)
            .arg(height);
    return {};
}

class TestFonts : public QObject
{
    Q_OBJECT
    QStringList m_overflows;

    void checkWindow(QWidget *window)
    {
        for (auto *label : window->findChildren<DesignLabel *>()) {
            m_overflows << overflow(label->text(), label->PaintedFont(),
                                    label->contentsRect().width(), label->contentsRect().height(),
                                    label->wordWrap());
            // Nor is the ink of a glyph cut off above or below.
            const QRectF ink = label->PaintedInk();
            if (!ink.isNull() &&
                !QRectF(label->contentsRect()).adjusted(-0.5, -0.5, 0.5, 0.5).contains(ink))
                m_overflows << QStringLiteral("「%1」: ink %2,%3 to %4,%5 in a label %6 x %7")
                                   .arg(label->text())
                                   .arg(ink.left())
                                   .arg(ink.top())
                                   .arg(ink.right())
                                   .arg(ink.bottom())
                                   .arg(label->contentsRect().width())
                                   .arg(label->contentsRect().height());
        }
        for (auto *box : window->findChildren<QCheckBox *>()) {
            const int room = box->width() - box->style()->pixelMetric(QStyle::PM_IndicatorWidth) -
                             box->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
            m_overflows << overflow(box->text(), box->font(), room, box->height(), false);
        }
        // A list entry fits, or is as narrow as stays legible and cut at the list's edge.
        for (auto *list : window->findChildren<ListBox *>()) {
            for (int i = 0; i < list->count(); ++i) {
                const QFont font = list->item(i)->font();
                if (font.stretch() != 0 && font.stretch() < kNarrowestLegible)
                    m_overflows << QStringLiteral("「%1」 narrowed to %2 %")
                                       .arg(list->item(i)->text())
                                       .arg(font.stretch());
                if (font.stretch() != kNarrowestLegible)
                    m_overflows << overflow(list->item(i)->text(), font,
                                            list->viewport()->width() - 2, 100, false);
            }
        }
        m_overflows.removeAll(QString());
    }

private slots:
    void everyTextFits()
    {
        test::ScratchSettings settings;
        FormMain main;
        main.Form_Load();
        main.show();
        auto *combo = test::child<ComboBox>(&main, "Combo1");
        const QString field = combo->currentText();
        m_overflows << overflow(field, combo->lineEdit()->font(), combo->lineEdit()->width(), 100,
                                false);
        for (const KaomojiCategory *category : CategoriesInDisplayOrder()) {
            combo->setCurrentIndex(combo->findText(QStringView(category->name).toString()));
            emit combo->activated(combo->currentIndex());
            checkWindow(&main);
            // The label of the kaomoji copied last, with each kaomoji of the category.
            for (const auto &column : {category->left, category->right}) {
                for (const KaomojiRow &row : column) {
                    main.CopyKaomoji(QStringView(row.kaomoji).toString());
                    checkWindow(&main);
                }
            }
        }
        for (QWidget *window : std::initializer_list<QWidget *>{
                 std::make_unique<FormSettei>().release(), std::make_unique<FormVer>().release(),
                 std::make_unique<FormHelp>().release(), std::make_unique<FormLogo>().release()}) {
            window->show();
            checkWindow(window);
            delete window;
        }
        QVERIFY2(m_overflows.isEmpty(), qPrintable(m_overflows.join(u'\n')));
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ApplyDesignLook();
    const QString only = qEnvironmentVariable("ONLY_FONT");
    if (!only.isEmpty() && !FamilyIsKnownAs(DesignFontFamily(), only)) {
        std::printf("skipped: the font %s is not installed\n", qPrintable(only));
        return 77; // CTest's skip
    }
    TestFonts test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_fonts.moc"
