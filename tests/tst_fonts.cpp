// Every caption, label and list entry of every window fits its control, with whichever Japanese
// gothic fontconfig offers (the test runs once with IPA alone, once with Noto CJK alone: the
// family named in ONLY_FONT; without it installed the run is skipped), at the scale the run sets.

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
#include <QImage>
#include <QSet>
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

// Where the ink of a list's entries, as painted, meets an edge of the list's inside: glyphs drawn
// there are cut or touch the frame. Read from the pixels, whatever drew them; and every row in
// view, not scrolled past.
static QString inkAtEdges(ListBox *list)
{
    const QImage whole = list->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const qreal ratio = whole.devicePixelRatio();
    const QRect inside = list->contentsRect(); // within the frame
    const QImage image = whole.copy(
        QRectF(QRectF(inside).topLeft() * ratio, QRectF(inside).size() * ratio).toAlignedRect());
    const QColor base = list->palette().color(QPalette::Base);
    // At a fractional place the frame's line may be drawn a device pixel inside: it is no ink.
    const QRgb frame = whole.pixel(0, whole.height() / 2);
    auto ink = [&](int x, int y) {
        const QColor c = image.pixelColor(x, y);
        return c.rgb() != frame && std::abs(c.red() - base.red()) +
                                           std::abs(c.green() - base.green()) +
                                           std::abs(c.blue() - base.blue()) >
                                       48;
    };
    const int w = image.width(), h = image.height();
    QSet<QString> edges;
    for (int x = 0; x < w; ++x) {
        if (ink(x, 0))
            edges << QStringLiteral("top");
        if (ink(x, h - 1))
            edges << QStringLiteral("bottom");
    }
    for (int y = 0; y < h; ++y) {
        for (int x : {0, w - 1}) {
            const QPoint at = (QPointF(x, y) / ratio).toPoint() + inside.topLeft();
            const QListWidgetItem *item = list->itemAt(list->viewport()->mapFrom(list, at));
            if (ink(x, y))
                edges << QStringLiteral("%1 of 「%2」")
                             .arg(x ? u"right" : u"left", item ? item->text() : QString());
        }
    }
    const int last = list->count() - 1;
    if (last >= 0 && !list->viewport()->rect().contains(list->visualItemRect(list->item(last))))
        edges << QStringLiteral("the last row out of view");
    if (edges.isEmpty())
        return {};
    QStringList sorted(edges.begin(), edges.end());
    sorted.sort();
    return QStringLiteral("%1 from 「%2」: ink at the %3")
        .arg(list->objectName(), list->item(0) ? list->item(0)->text() : QString(),
             sorted.join(u", "));
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
        // A list entry fits, narrowed and made smaller no further than stays legible.
        for (auto *list : window->findChildren<ListBox *>()) {
            for (int i = 0; i < list->count(); ++i) {
                const QListWidgetItem *item = list->item(i);
                const QFont font = item->data(Qt::FontRole).isValid() ? item->font() : list->font();
                if ((font.stretch() != 0 && font.stretch() < kNarrowestLegible) ||
                    font.pointSizeF() < list->font().pointSizeF() * kSmallestLegible / 100 - 0.01)
                    m_overflows << QStringLiteral("「%1」 narrowed to %2 %, %3 pt")
                                       .arg(list->item(i)->text())
                                       .arg(font.stretch())
                                       .arg(font.pointSizeF());
                m_overflows << overflow(list->item(i)->text(), font, list->viewport()->width() - 2,
                                        100, false);
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
            // As a user sees them, no list chosen or with the focus: the ink of every entry.
            combo->setFocus();
            QApplication::processEvents(); // the lists lay out their rows when idle
            for (auto *list : main.findChildren<ListBox *>())
                m_overflows << inkAtEdges(list);
            m_overflows.removeAll(QString());
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
