// The three modal windows as designed, and what the settings dialog reads and writes.

#include "app/formslot.h"
#include "app/japanesefont.h"
#include "app/settingsstore.h"
#include "forms/info/formhelp.h"
#include "forms/info/formver.h"
#include "forms/main/formmain.h"
#include "settings/formsettei.h"
#include "testsupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

using namespace pukalo;

class TestModalForms : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void settingsFormLoad_data();
    void settingsFormLoad();
    void settingsCancelAndCloseBoxWriteNothing();
    void settingsOkWritesInOrder();
    void helpText();
    void helpTextIsNeverKept();
    void versionWindow();
    void noDefaultOrCancelButton();

private:
    std::unique_ptr<test::ScratchSettings> m_settings;
};

void TestModalForms::initTestCase()
{
    InstallJapaneseFontSubstitutes();
    QApplication::setFont(DesignFont(9));
}

void TestModalForms::init()
{
    m_settings = std::make_unique<test::ScratchSettings>();
    FormSlot<FormMain>::Load();
    FormSlot<FormMain>::Show();
}

void TestModalForms::cleanup()
{
    delete FormSlot<FormMain>::Instance();
    m_settings.reset();
}

void TestModalForms::settingsFormLoad_data()
{
    QTest::addColumn<QString>("showlogo");
    QTest::addColumn<QString>("clipclear");
    QTest::addColumn<QString>("facechack");
    QTest::addColumn<QString>("checked"); // logo, clip, lock as 0/1

    const QString n; // nothing stored
    QTest::newRow("empty store") << n << n << n << QStringLiteral("100");
    QTest::newRow("all 1") << QStringLiteral("1") << QStringLiteral("1") << QStringLiteral("1")
                           << QStringLiteral("111");
    QTest::newRow("all 2") << QStringLiteral("2") << QStringLiteral("2") << QStringLiteral("2")
                           << QStringLiteral("000");
    QTest::newRow("0, 01, -1") << QStringLiteral("0") << QStringLiteral("01")
                               << QStringLiteral("-1") << QStringLiteral("010");
    QTest::newRow("abc in the middle") << QStringLiteral("1") << QStringLiteral("abc")
                                       << QStringLiteral("1") << QStringLiteral("101");
    QTest::newRow("abc first") << QStringLiteral("abc") << QStringLiteral("1") << n
                               << QStringLiteral("010");
}

void TestModalForms::settingsFormLoad()
{
    QFETCH(QString, showlogo);
    QFETCH(QString, clipclear);
    QFETCH(QString, facechack);
    QFETCH(QString, checked);

    std::vector<std::pair<QString, QString>> stored;
    if (!showlogo.isNull())
        stored.emplace_back(QStringLiteral("Showlogo"), showlogo);
    if (!clipclear.isNull())
        stored.emplace_back(QStringLiteral("Clipclear"), clipclear);
    if (!facechack.isNull())
        stored.emplace_back(QStringLiteral("Facechack"), facechack);
    if (!stored.empty())
        m_settings->write(stored);

    FormSettei dialog;
    dialog.Form_Load();
    const QString shown = QString::number(dialog.CheckLogo->isChecked()) +
                          QString::number(dialog.CheckClipKaknin->isChecked()) +
                          QString::number(dialog.CheckLock->isChecked());
    QCOMPARE(shown, checked);
    QCOMPARE(dialog.windowIcon().cacheKey(),
             FormSlot<FormMain>::Instance()->windowIcon().cacheKey());
}

void TestModalForms::settingsCancelAndCloseBoxWriteNothing()
{
    m_settings->write({{QStringLiteral("Showlogo"), QStringLiteral("2")}});
    QFile file(m_settings->filePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    for (bool byCancel : {true, false}) {
        test::ProtocolLog log;
        test::WhenModalShown<FormSettei>([byCancel](FormSettei *d) {
            d->CheckLogo->setChecked(true);
            d->CheckClipKaknin->setChecked(true);
            d->CheckLock->setChecked(true);
            if (byCancel)
                QTest::mouseClick(d->CommandCancel, Qt::LeftButton);
            else
                d->close();
        });
        FormSlot<FormMain>::Instance()->mnuSettei_Click();
        QCOMPARE(log.flags(), byCancel ? (QList<int>{0, 2}) : (QList<int>{0}));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), before);
        file.close();

        // The next opening shows what is stored again, not what was clicked.
        FormSettei again;
        again.Form_Load();
        QVERIFY(!again.CheckLogo->isChecked());
        QVERIFY(!again.CheckClipKaknin->isChecked());
        QVERIFY(!again.CheckLock->isChecked());
    }
}

void TestModalForms::settingsOkWritesInOrder()
{
    test::ProtocolLog log;
    test::WhenModalShown<FormSettei>([](FormSettei *d) {
        d->CheckLogo->setChecked(false);
        d->CheckClipKaknin->setChecked(true);
        QTest::mouseClick(d->CommandOK, Qt::LeftButton);
    });
    FormSlot<FormMain>::Instance()->mnuSettei_Click();
    QCOMPARE(log.entries,
             (QStringList{QStringLiteral("topmost 0"), QStringLiteral("save Showlogo=2"),
                          QStringLiteral("save Clipclear=1"), QStringLiteral("save Facechack=2"),
                          QStringLiteral("topmost 2")}));
    QCOMPARE(m_settings->value(QStringLiteral("Showlogo")), QStringLiteral("2"));
    QCOMPARE(m_settings->value(QStringLiteral("Clipclear")), QStringLiteral("1"));
    QCOMPARE(m_settings->value(QStringLiteral("Facechack")), QStringLiteral("2"));
}

void TestModalForms::helpText()
{
    const QString text = FormHelp::HelpText();
    QVERIFY(text.endsWith(QStringLiteral("\r\n")));
    QCOMPARE(text.count(QStringLiteral("\r\n")), 45);
    QCOMPARE(text.count(u'\n'), 45);
    QCOMPARE(text.count(u'\r'), 45);
    QVERIFY2(text.size() >= 880 && text.size() <= 960, qPrintable(QString::number(text.size())));

    const QStringList lines = text.chopped(2).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 45);
    const QChar z(0x3000);
    QCOMPARE(lines[0], QString(11, z));
    QCOMPARE(lines[1], QString(10, z) + QStringLiteral("☆プカロ！ヘルプ☆"));
    QCOMPARE(lines[2], QString());
    QCOMPARE(lines[3], QString(2, z) + QStringLiteral("■使い方・・・"));
    const QString circled = QStringLiteral("①②③④⑤");
    for (int step = 0; step < 5; ++step)
        QVERIFY(lines[5 + step].startsWith(QString(z) + circled[step] + z));
    for (int step : {0, 1, 4})
        QVERIFY2(lines[5 + step].right(6).contains(u'('), qPrintable(lines[5 + step])); // kaomoji
    QCOMPARE(lines[11], QString(2, z) + QStringLiteral("■クリップボードからのコピー方法"));
    QCOMPARE(lines.indexOf(QString(z) + QStringLiteral("方法A")), 13);
    QCOMPARE(lines.indexOf(QString(z) + QStringLiteral("方法B")), 18);
    QCOMPARE(lines[20], QString(z));
    QCOMPARE(lines.indexOf(QString(z) + QStringLiteral("方法C")), 21);
    QCOMPARE(lines[24], QString(2, z));
    QVERIFY(lines[25].startsWith(QString(3, z)) && lines[25][3] != z);
    QVERIFY(lines.last().startsWith(QStringLiteral("Copyright")));
    QVERIFY(lines.last().endsWith(QStringLiteral("  ")) &&
            !lines.last().endsWith(QStringLiteral("   ")));
    for (int i = 29; i <= 34; ++i) // the closing paragraph is not indented
        QVERIFY(!lines[i].isEmpty() && !lines[i].front().isSpace());
}

void TestModalForms::helpTextIsNeverKept()
{
    for (int opening = 0; opening < 2; ++opening) {
        test::WhenModalShown<FormHelp>([](FormHelp *help) {
            QCOMPARE(help->Text1->toPlainText(),
                     FormHelp::HelpText().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
            QVERIFY(!help->Text1->isReadOnly());
            QCOMPARE(QApplication::focusWidget(), help->Text1);
            QVERIFY(help->Text1->wordWrapMode() != QTextOption::NoWrap);
            QCOMPARE(help->Text1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
            QCOMPARE(help->Text1->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
            QTest::keyClicks(help->Text1, QStringLiteral("typed"));
            QTest::keyClick(help->Text1, Qt::Key_Return); // a new line, not a close
            QVERIFY(help->isVisible());
            QVERIFY(help->Text1->toPlainText().contains(QStringLiteral("typed")));
            help->close();
        });
        FormSlot<FormMain>::Instance()->mnuGohelp_Click();
    }
}

void TestModalForms::versionWindow()
{
    FormVer ver;
    ver.Form_Load();
    ver.show();
    const QIcon icon = FormSlot<FormMain>::Instance()->windowIcon();
    QCOMPARE(ver.windowIcon().cacheKey(), icon.cacheKey());
    QCOMPARE(ver.Picture1->pixmap().toImage(), icon.pixmap(32, 32).toImage());
    QCOMPARE(ver.focusWidget(), ver.Command1);

    const QString terms = ver.Label3->text();
    QVERIFY(terms.startsWith(QStringLiteral("  ")) && terms[2] != u' ');
    QVERIFY2(terms.size() >= 80 && terms.size() <= 100, qPrintable(terms));
    QVERIFY(ver.Label3->wordWrap());
    const QString copyright = ver.Label17->text();
    QVERIFY2(copyright.size() >= 25 && copyright.size() <= 40, qPrintable(copyright));
    QCOMPARE(ver.Label2->text(), QStringLiteral("Ver1.0"));

    // The whole paragraph shows: its last line is drawn inside the label, above its bottom.
    const QImage label = ver.Label3->grab().toImage();
    const QColor green(192, 255, 192);
    int lowestInk = -1;
    for (int y = 0; y < label.height(); ++y) {
        for (int x = 0; x < label.width(); ++x) {
            if (label.pixelColor(x, y) != green)
                lowestInk = y;
        }
    }
    QVERIFY2(lowestInk > 48 && lowestInk < label.height() - 1,
             qPrintable(QString::number(lowestInk)));
}

// Esc closes none of the windows; Enter or Space presses the button that has the focus.
void TestModalForms::noDefaultOrCancelButton()
{
    test::ProtocolLog log;
    test::WhenModalShown<FormVer>([](FormVer *ver) {
        QTest::keyClick(ver, Qt::Key_Escape);
        QVERIFY(ver->isVisible());
        QTest::keyClick(ver->Command1, Qt::Key_Return);
    });
    FormSlot<FormMain>::Instance()->mnuVer_Click();

    test::WhenModalShown<FormSettei>([](FormSettei *d) {
        QTest::keyClick(d, Qt::Key_Escape);
        QVERIFY(d->isVisible());
        QCOMPARE(QApplication::focusWidget(), d->CommandOK);
        QTest::keyClick(d->CheckLock, Qt::Key_Space);
        QVERIFY(d->CheckLock->isChecked());
        QTest::keyClick(d->CommandCancel, Qt::Key_Space);
    });
    FormSlot<FormMain>::Instance()->mnuSettei_Click();
    QCOMPARE(log.flags(), (QList<int>{0, 0, 2}));
}

QTEST_MAIN(TestModalForms)
#include "tst_modalforms.moc"
