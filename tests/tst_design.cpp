// Every window is built as its design table says: place, texts, tooltip, font, colours as they
// show on screen, and tab order; and each window's own properties.

#include "app/controls.h"
#include "app/formslot.h"
#include "app/japanesefont.h"
#include "forms/info/formhelp.h"
#include "forms/info/formver.h"
#include "forms/logo/formlogo.h"
#include "forms/main/formmain.h"
#include "settings/formsettei.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <functional>
#include <memory>

using namespace pukalo;
using namespace pukalo::design;

namespace {
struct Window
{
    std::function<QWidget *()> make; // owned by the caller
    std::span<const Control> design;
};

Window window(const QString &name)
{
    if (name == QStringLiteral("FormMain"))
        return {[] { return FormSlot<FormMain>::Load(); }, FormMain::Design()};
    if (name == QStringLiteral("FormLogo"))
        return {[] { return new FormLogo; }, FormLogo::Design()};
    if (name == QStringLiteral("FormSettei"))
        return {[] { return new FormSettei; }, FormSettei::Design()};
    if (name == QStringLiteral("FormHelp"))
        return {[] { return new FormHelp; }, FormHelp::Design()};
    return {[] { return new FormVer; }, FormVer::Design()};
}

QWidget *clientArea(QWidget *form)
{
    if (auto *main = qobject_cast<QMainWindow *>(form))
        return main->centralWidget();
    return form;
}

QString controlText(QWidget *w)
{
    if (auto *label = qobject_cast<QLabel *>(w))
        return label->text();
    if (auto *button = qobject_cast<QAbstractButton *>(w))
        return button->text();
    if (auto *combo = qobject_cast<QComboBox *>(w))
        return combo->currentText();
    if (auto *edit = qobject_cast<QPlainTextEdit *>(w))
        return edit->toPlainText();
    return QString();
}
} // namespace

class TestDesign : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void twipsToPixels();
    void windows_data();
    void windows();
    void controls_data();
    void controls();
};

void TestDesign::initTestCase()
{
    InstallJapaneseFontSubstitutes();
    QApplication::setFont(DesignFont(9));
}

void TestDesign::cleanup()
{
    delete FormSlot<FormMain>::Instance();
}

void TestDesign::twipsToPixels()
{
    QCOMPARE(Px(15), 1);
    QCOMPARE(Px(40), 3); // 2.67 rounds to the nearest pixel
    QCOMPARE(Px(975), 65);
    QCOMPARE(ToPixels({120, 480, 975, 2940}), QRect(8, 32, 65, 196));
}

void TestDesign::windows_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<Qt::WindowType>("type");
    QTest::addColumn<bool>("minimize");
    QTest::addColumn<QColor>("background"); // invalid: the toolkit's own

    QTest::newRow("main") << QStringLiteral("FormMain") << QStringLiteral("プカロ！")
                          << QSize(440, 280) << Qt::Window << true << QColor();
    QTest::newRow("logo") << QStringLiteral("FormLogo") << QString() << QSize(417, 133)
                          << Qt::SplashScreen << false << QColor();
    QTest::newRow("settings") << QStringLiteral("FormSettei") << QStringLiteral("プカロ！設定")
                              << QSize(331, 141) << Qt::Dialog << false << QColor(255, 192, 192);
    QTest::newRow("help") << QStringLiteral("FormHelp") << QStringLiteral("プカロ！ヘルプ")
                          << QSize(393, 261) << Qt::Tool << false << QColor();
    QTest::newRow("version") << QStringLiteral("FormVer") << QStringLiteral("バージョン")
                             << QSize(408, 177) << Qt::Window << false << QColor(192, 255, 192);
}

void TestDesign::windows()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QSize, client);
    QFETCH(Qt::WindowType, type);
    QFETCH(bool, minimize);
    QFETCH(QColor, background);

    std::unique_ptr<QWidget> owned;
    QWidget *w = window(name).make();
    if (name != QStringLiteral("FormMain"))
        owned.reset(w);
    w->show();
    QCOMPARE(w->objectName(), name);
    QCOMPARE(w->windowTitle(), caption);
    QCOMPARE(clientArea(w)->size(), client);
    QCOMPARE(w->minimumSize(), w->maximumSize()); // none can be resized
    QCOMPARE(w->windowType(), type);
    const Qt::WindowFlags flags = w->windowFlags();
    QCOMPARE(flags.testFlag(Qt::WindowMinimizeButtonHint), minimize);
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowStaysOnTopHint));
    if (type != Qt::SplashScreen)
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    if (background.isValid())
        QCOMPARE(w->grab().toImage().pixelColor(client.width() - 2, client.height() - 2),
                 background);
}

void TestDesign::controls_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"FormMain", "FormLogo", "FormSettei", "FormHelp", "FormVer"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestDesign::controls()
{
    QFETCH(QString, name);

    const Window definition = window(name);
    std::unique_ptr<QWidget> owned;
    QWidget *form = definition.make();
    if (name != QStringLiteral("FormMain"))
        owned.reset(form);
    form->show();
    QWidget *client = clientArea(form);

    std::vector<const Control *> byTab;
    for (const Control &c : definition.design) {
        const QString control = QLatin1StringView(c.name);
        QWidget *w = client->findChild<QWidget *>(control, Qt::FindDirectChildrenOnly);
        QVERIFY2(w, c.name);
        QCOMPARE(w->geometry(), ToPixels(c.rect));
        QCOMPARE(w->toolTip(), QString::fromUtf16(c.tooltip));
        const QString text =
            QString::fromUtf16(c.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        QCOMPARE(controlText(w), text);
        if (auto *label = qobject_cast<QLabel *>(w))
            QCOMPARE(label->textFormat(), Qt::PlainText);

        const QFont font = w->font();
        QCOMPARE(font.family(), DesignFontFamily());
        QCOMPARE(font.pointSizeF(), c.font ? c.font->points : 9.0);
        QCOMPARE(font.bold(), c.font && c.font->bold);
        QCOMPARE(font.italic(), c.font && c.font->italic);

        if (c.foreground)
            QCOMPARE(w->palette().color(w->foregroundRole()), QColor::fromRgb(*c.foreground));
        if (c.kind == Kind::Label && c.transparent)
            QVERIFY2(!w->autoFillBackground(), c.name);
        if (c.background) {
            const QColor colour = QColor::fromRgb(*c.background);
            if (c.kind == Kind::Button || c.kind == Kind::GraphicalButton) {
                QCOMPARE(w->palette().color(QPalette::Button), colour);
            } else {
                // What the screen shows inside the control's edge, whatever role paints it.
                const QPoint probe = c.kind == Kind::ListBox
                                         ? QPoint(w->width() / 2, w->height() - 4)
                                         : QPoint(w->width() - 2, 1);
                QCOMPARE(w->grab().toImage().pixelColor(probe), colour);
            }
        }
        if (w->focusPolicy() != Qt::NoFocus)
            byTab.push_back(&c);
    }

    // Tab goes through the focusable controls in tab-index order and round again.
    std::stable_sort(byTab.begin(), byTab.end(),
                     [](const Control *a, const Control *b) { return a->tabIndex < b->tabIndex; });
    QStringList expected;
    for (const Control *c : byTab)
        expected << QLatin1StringView(c->name);
    QStringList chain;
    QWidget *w = expected.isEmpty() ? nullptr : client->findChild<QWidget *>(expected.first());
    while (w && chain.size() < expected.size()) {
        if (expected.contains(w->objectName()) && !chain.contains(w->objectName()))
            chain << w->objectName();
        w = w->nextInFocusChain();
    }
    QCOMPARE(chain, expected);
}

QTEST_MAIN(TestDesign)
#include "tst_design.moc"
