// Start-up's choice between splash and main window, and the splash window's hand-over.

#include "app/formslot.h"
#include "app/startup.h"
#include "forms/logo/formlogo.h"
#include "forms/main/formmain.h"
#include "testsupport.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTest>
#include <QTimer>

using namespace pukalo;

namespace {
void unloadAll()
{
    delete FormSlot<FormLogo>::Instance();
    delete FormSlot<FormMain>::Instance();
}

QStringList visibleWindows()
{
    QStringList names;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->isVisible())
            names << w->objectName();
    }
    return names;
}
} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { unloadAll(); }
    void mainChoosesWindow_data();
    void mainChoosesWindow();
    void splashHandsOver();
    void splashIgnoresInput();
    void splashLayout();
};

void TestStartup::mainChoosesWindow_data()
{
    QTest::addColumn<QString>("stored"); // null: nothing stored
    QTest::addColumn<QString>("window");

    const QString splash = QStringLiteral("FormLogo");
    const QString main = QStringLiteral("FormMain");
    QTest::newRow("nothing stored") << QString() << splash;
    QTest::newRow("1") << QStringLiteral("1") << splash;
    QTest::newRow("01") << QStringLiteral("01") << splash;
    QTest::newRow("2") << QStringLiteral("2") << main;
    QTest::newRow("0") << QStringLiteral("0") << main;
    QTest::newRow("3") << QStringLiteral("3") << main;
    QTest::newRow("-1") << QStringLiteral("-1") << main;
    QTest::newRow("abc") << QStringLiteral("abc") << main;
    QTest::newRow("empty") << QStringLiteral("") << main;
    QTest::newRow("40000") << QStringLiteral("40000") << main;
}

void TestStartup::mainChoosesWindow()
{
    QFETCH(QString, stored);
    QFETCH(QString, window);

    test::ScratchSettings settings;
    if (!stored.isNull())
        settings.write({{QStringLiteral("Showlogo"), stored}});

    Main();
    QCOMPARE(visibleWindows(), QStringList{window});
    if (window == QStringLiteral("FormMain")) {
        QVERIFY(!FormSlot<FormLogo>::Instance());
        // Loaded before shown: the category box was filled by Form_Load.
        QCOMPARE(FormSlot<FormMain>::Instance()->findChild<QComboBox *>()->count(), 16);
    } else {
        QVERIFY(!FormSlot<FormMain>::Instance());
    }
}

// The timer is driven by hand: each call is one tick of the one-second timer.
void TestStartup::splashHandsOver()
{
    test::ScratchSettings settings;
    Main();
    FormLogo *logo = FormSlot<FormLogo>::Instance();
    QVERIFY(logo);
    QCOMPARE(logo->Timer1->interval(), 1000);
    QVERIFY(logo->Timer1->isActive());
    QCOMPARE(logo->TimerCount, qint16(0));

    logo->Timer1_Timer();
    QCOMPARE(logo->TimerCount, qint16(1));
    QVERIFY(!FormSlot<FormMain>::Instance());

    logo->Timer1_Timer();
    QVERIFY(FormSlot<FormMain>::Instance());
    QCOMPARE(visibleWindows().size(), 2);

    QPointer<FormLogo> watch = logo;
    logo->Timer1_Timer();
    QVERIFY(!FormSlot<FormLogo>::Instance());
    QTRY_VERIFY(watch.isNull());
    QCOMPARE(visibleWindows(), QStringList{QStringLiteral("FormMain")});
}

void TestStartup::splashIgnoresInput()
{
    test::ScratchSettings settings;
    Main();
    FormLogo *logo = FormSlot<FormLogo>::Instance();
    QVERIFY(QTest::qWaitForWindowExposed(logo));
    QTest::mouseClick(logo, Qt::LeftButton);
    QTest::keyClick(logo, Qt::Key_Escape);
    QTest::keyClick(logo, Qt::Key_Return);
    QTest::keyClick(logo, Qt::Key_F4, Qt::AltModifier);
    QCOMPARE(FormSlot<FormLogo>::Instance(), logo);
    QVERIFY(logo->isVisible());
    QVERIFY(!FormSlot<FormMain>::Instance());
}

void TestStartup::splashLayout()
{
    test::ScratchSettings settings;
    Main();
    FormLogo *logo = FormSlot<FormLogo>::Instance();
    QCOMPARE(logo->size(), QSize(417, 133));
    QVERIFY(logo->windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(logo->Label1->geometry(), QRect(168, 112, 249, 17));
    QVERIFY(logo->Label1->font().bold());
    QCOMPARE(logo->Label1->font().pointSizeF(), 11.25);
    QVERIFY(!logo->Label1->autoFillBackground());

    // The logo is painted unscaled from the corner: its own pixels show at the window's edge.
    const QImage logoImage(QStringLiteral(":/logo/logo.jpg"));
    QCOMPARE(logoImage.size(), QSize(421, 135));
    const QImage shown = logo->grab().toImage();
    QCOMPARE(shown.pixelColor(2, 2), logoImage.pixelColor(2, 2));
    QCOMPARE(shown.pixelColor(416, 132), logoImage.pixelColor(416, 132));
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
