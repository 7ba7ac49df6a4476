// The stored options, start-up and the splash window's hand-over, the settings, help and version
// windows, and the always-on-top protocol: the menu toggle, and how each modal window takes the
// main window out of the band and puts it back.

#include "app/startup.h"
#include "forms/logo/formlogo.h"
#include "forms/main/formmain.h"
#include "forms/search/formsearch.h"
#include "forms/settings/formsettei.h"
#include "settings/history.h"
#include "testsupport.h"
#include "ui/formslot.h"
#include "ui/japanesefont.h"
#include "ui/placement.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>
#include <QWindow>
#include <sys/stat.h>

using namespace pukalo;
using test::child;
using test::VisibleWindows;

static FormMain *mainForm()
{
    return FormSlot<FormMain>::Instance();
}

static bool checkMark()
{
    return child<QAction>(mainForm(), "mnuTemae")->isChecked();
}

static bool onTop(const QWidget *w)
{
    const bool widget = w->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    if (w->windowHandle() &&
        w->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint) != widget)
        qFatal("widget and window disagree on always-on-top");
    return widget;
}

// Opens a modal window from the main window's menu or button and acts on it while it is open,
// from inside its event loop.
static void open(const QString &opener, std::function<void(QWidget *)> whileOpen)
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [=] {
        if (QPointer<QWidget> modal = QApplication::activeModalWidget();
            modal && modal->isVisible()) {
            poll->stop();
            whileOpen(modal);
            if (modal && modal->isVisible()) // a check failed on the way: do not hang
                modal->close();
        }
    });
    poll->start(5);
    if (opener.startsWith("mnu"))
        child<QAction>(mainForm(), opener)->trigger();
    else
        QTest::mouseClick(child<QPushButton>(mainForm(), opener), Qt::LeftButton);
    const bool opened = !poll->isActive();
    delete poll;
    QVERIFY2(opened, "no modal window opened");
}

static void press(QWidget *window, const char *button)
{
    QTest::mouseClick(child<QPushButton>(window, button), Qt::LeftButton);
}

class TestWindows : public QObject
{
    Q_OBJECT
    std::unique_ptr<test::ScratchSettings> m_settings;

    // Shows the main window with this Facechack stored (null: nothing stored).
    void showMain(const QString &facechack)
    {
        m_settings->write({{"Facechack", facechack}});
        FormSlot<FormMain>::Show();
        QVERIFY(QTest::qWaitForWindowExposed(mainForm()));
    }

private slots:
    // The search window beside the main window: on the first side with room (right, left,
    // below, above); where none has room, on the screen, the category box left free and the
    // controls clicked covered less than at the first side moved onto the screen.
    void placeBeside_data()
    {
        QTest::addColumn<QRect>("owner");
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QPoint>("expected"); // (-1, -1): no side has room
        QTest::addColumn<QRect>("box");       // on the main window's client area
        const QRect box(288, 3, 121, 20);
        QTest::newRow("right") << QRect(420, 340, 450, 330) << QRect(0, 0, 1280, 1024)
                               << QPoint(878, 340) << box;
        QTest::newRow("left") << QRect(820, 340, 450, 330) << QRect(0, 0, 1280, 1024)
                              << QPoint(442, 340) << box;
        QTest::newRow("below") << QRect(0, 10, 450, 330) << QRect(0, 0, 600, 1024) << QPoint(0, 348)
                               << box;
        QTest::newRow("above, moved onto the screen")
            << QRect(0, 600, 450, 330) << QRect(0, 0, 600, 1000) << QPoint(0, 262) << box;
        QTest::newRow("none: 1024 x 768")
            << QRect(287, 219, 450, 330) << QRect(0, 0, 1024, 768) << QPoint(-1, -1) << box;
        // Where it would cover least (above the first list), were the box not there.
        QTest::newRow("none, the box where least would be covered")
            << QRect(287, 219, 450, 330) << QRect(0, 0, 1024, 768) << QPoint(-1, -1)
            << QRect(0, 0, 60, 28);
    }
    void placeBeside()
    {
        QFETCH(QRect, owner);
        QFETCH(QRect, screen);
        QFETCH(QPoint, expected);
        QFETCH(QRect, box);
        const QSize size(370, 330);
        // The main window's lists, buttons and menu bar, as designed, on its client.
        const QPoint client = owner.topLeft() + QPoint(5, 48);
        box.translate(client);
        const QRect clicked[] = {
            QRect(8, 32, 65, 196).translated(client),
            QRect(80, 32, 137, 196).translated(client),
            QRect(224, 32, 65, 196).translated(client),
            QRect(296, 32, 137, 196).translated(client),
            QRect(232, 232, 193, 41).translated(client),
            QRect(0, -18, 440, 18).translated(client),
        };
        const QRect placed = PlaceBeside(owner, size, screen, clicked, box);
        QCOMPARE(placed.size(), size);
        QVERIFY(screen.contains(placed));
        if (expected != QPoint(-1, -1)) {
            QCOMPARE(placed.topLeft(), expected);
            return;
        }
        auto onClicked = [&](const QRect &r) {
            qint64 area = 0;
            for (const QRect &c : clicked) {
                const QRect both = r.intersected(c);
                area += both.isEmpty() ? 0 : qint64(both.width()) * both.height();
            }
            return area;
        };
        QVERIFY(!placed.intersects(box));
        const QRect right(QPoint(screen.right() + 1 - size.width(), owner.top()), size);
        QVERIFY2(onClicked(placed) < onClicked(right),
                 qPrintable(QStringLiteral("%1 px² covered").arg(onClicked(placed))));
    }

    void initTestCase() { ApplyDesignLook(); }
    void init() { m_settings = std::make_unique<test::ScratchSettings>(); }
    void cleanup()
    {
        delete FormSlot<FormLogo>::Instance();
        delete mainForm();
        m_settings.reset();
    }

    void startupChoosesWindow_data()
    {
        QTest::addColumn<QString>("stored"); // null: nothing stored
        QTest::addColumn<QString>("window");
        QTest::newRow("nothing stored") << QString() << "FormLogo";
        QTest::newRow("1") << "1"
                           << "FormLogo";
        QTest::newRow("2") << "2"
                           << "FormMain";
        QTest::newRow("0") << "0"
                           << "FormMain";
        QTest::newRow("abc") << "abc"
                             << "FormMain";
    }
    void startupChoosesWindow()
    {
        QFETCH(QString, stored);
        QFETCH(QString, window);
        m_settings->write({{"Showlogo", stored}});
        Main();
        QCOMPARE(VisibleWindows(), window);
        if (mainForm()) // loaded before shown: the category box was filled
            QCOMPARE(child<QComboBox>(mainForm(), "Combo1")->count(), 16);
    }

    // Each timeout is one tick of the one-second timer, driven by hand. Input changes nothing.
    void splashHandsOverOnItsTicks()
    {
        Main();
        FormLogo *logo = FormSlot<FormLogo>::Instance();
        QVERIFY(QTest::qWaitForWindowExposed(logo));
        auto *timer = child<QTimer>(logo, "Timer1");
        QCOMPARE(timer->interval(), 1000);
        QTest::mouseClick(logo, Qt::LeftButton);
        QTest::keyClick(logo, Qt::Key_Escape);
        QTest::keyClick(logo, Qt::Key_F4, Qt::AltModifier);
        QStringList seen;
        QPointer<FormLogo> watch = logo;
        for (int tick = 1; tick <= 3; ++tick) {
            QMetaObject::invokeMethod(timer, "timeout");
            QTRY_VERIFY(tick < 3 || watch.isNull());
            seen << VisibleWindows();
        }
        QCOMPARE(seen, QStringList({"FormLogo", "FormLogo+FormMain", "FormMain"}));
    }

    void settingsDialogShowsWhatIsStored_data()
    {
        QTest::addColumn<QStringList>("stored"); // Showlogo, Clipclear, Facechack; null: none
        QTest::addColumn<QString>("checked");    // logo, clip, lock
        QTest::newRow("nothing stored") << QStringList{QString(), QString(), QString()} << "100";
        QTest::newRow("all 1") << QStringList{"1", "1", "1"} << "111";
        QTest::newRow("all 2") << QStringList{"2", "2", "2"} << "000";
        QTest::newRow("abc in the middle") << QStringList{"1", "abc", "1"} << "101";
    }
    void settingsDialogShowsWhatIsStored()
    {
        QFETCH(QStringList, stored);
        QFETCH(QString, checked);
        m_settings->write(
            {{"Showlogo", stored[0]}, {"Clipclear", stored[1]}, {"Facechack", stored[2]}});
        FormSettei dialog;
        dialog.Form_Load();
        QString shown;
        for (const char *box : {"CheckLogo", "CheckClipKaknin", "CheckLock"})
            shown += child<QCheckBox>(&dialog, box)->isChecked() ? '1' : '0';
        QCOMPARE(shown, checked);
    }

    void helpTextIsShownAndNeverKept()
    {
        showMain("2");
        for (int opening = 0; opening < 2; ++opening) {
            open("mnuGohelp", [](QWidget *help) {
                auto *text = child<QPlainTextEdit>(help, "Text1");
                const QStringList lines = text->toPlainText().split('\n');
                QCOMPARE(lines.size(), 46); // 45 lines, each ended by a line break
                QCOMPARE(lines[1], QString(10, QChar(0x3000)) + "☆プカロ！ヘルプ☆");
                QCOMPARE(lines[3], QString(2, QChar(0x3000)) + "■使い方・・・");
                QVERIFY(lines[44].startsWith("Copyright"));
                QTRY_COMPARE(QApplication::focusWidget(), text);
                QTest::keyClicks(text, "typed");
                QTest::keyClick(text, Qt::Key_Return); // a new line, not a close
                QVERIFY(help->isVisible());
                help->close();
            });
        }
    }

    void versionWindow()
    {
        showMain("2");
        open("mnuVer", [](QWidget *ver) {
            const QIcon icon = mainForm()->windowIcon();
            QCOMPARE(ver->windowIcon().cacheKey(), icon.cacheKey());
            QCOMPARE(child<QLabel>(ver, "Picture1")->pixmap().toImage(),
                     icon.pixmap(32, 32).toImage());
            QTRY_COMPARE(QApplication::focusWidget(), child<QPushButton>(ver, "Command1"));
            QVERIFY(child<QLabel>(ver, "Label3")
                        ->text()
                        .startsWith("  このソフトはフリーソフトです。"));
            QTest::keyClick(child<QPushButton>(ver, "Command1"), Qt::Key_Return);
        });
    }

    void toggleTwiceReturnsEverything()
    {
        for (const bool wasOn : {false, true}) {
            showMain(wasOn ? "1" : "2");
            const WId id = mainForm()->winId();
            QStringList log;
            SetTopmostObserverForTesting([&](QWidget *, qint16 flag) {
                log << QStringLiteral("mark %1, topmost %2").arg(checkMark()).arg(flag);
            });
            SetSaveObserverForTesting(
                [&](const QString &key, const QString &value) { log << key + '=' + value; });
            child<QAction>(mainForm(), "mnuTemae")->trigger();
            QCOMPARE(onTop(mainForm()), !wasOn);
            QVERIFY(m_settings->bytes().contains(wasOn ? "Facechack=2" : "Facechack=1"));
            child<QAction>(mainForm(), "mnuTemae")->trigger();
            SetTopmostObserverForTesting({});
            SetSaveObserverForTesting({});
            // Check mark, band, stored option, in that order, the option rewritten each time.
            const QStringList on{"mark 1, topmost 1", "Facechack=1"};
            const QStringList off{"mark 0, topmost 0", "Facechack=2"};
            QCOMPARE(log, wasOn ? off + on : on + off);
            QCOMPARE(checkMark(), wasOn);
            QCOMPARE(onTop(mainForm()), wasOn);
            QCOMPARE(mainForm()->winId(), id); // changed in place, never re-created
            delete mainForm();
        }
    }

    void modalWindows_data()
    {
        QTest::addColumn<QString>("opener");
        QTest::addColumn<QString>("closeBy");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QList<int>>("flags");
        // Out of the band on opening; back in from the closing button and again from the unload
        // handler, or from the unload handler alone after the close box. The settings dialog's
        // buttons pass flag 2, which does nothing, when the option is off.
        struct Row
        {
            const char *opener, *closeBy, *stored;
            QList<int> flags;
        };
        const Row rows[] = {
            {"mnuVer", "Command1", "", {0}},
            {"mnuVer", "Command1", "1", {0, 1, 1}},
            {"mnuVer", "Command1", "abc", {0}},
            {"Command1", "close box", "", {0}},
            {"Command1", "close box", "1", {0, 1}},
            {"Command1", "close box", "abc", {0}},
            {"mnuGohelp", "Command1", "", {0}},
            {"mnuGohelp", "Command1", "1", {0, 1, 1}},
            {"mnuGohelp", "Command1", "abc", {0}},
            {"Command4", "close box", "", {0}},
            {"Command4", "close box", "1", {0, 1}},
            {"Command4", "close box", "abc", {0}},
            {"mnuSettei", "CommandCancel", "", {0, 2}},
            {"mnuSettei", "CommandCancel", "1", {0, 1, 1}},
            {"mnuSettei", "CommandCancel", "abc", {0, 2}},
            {"Command3", "close box", "", {0}},
            {"Command3", "close box", "1", {0, 1}},
            {"Command3", "close box", "abc", {0}},
            {"mnuSettei", "CommandOK", "", {0, 2}},
            {"mnuSettei", "CommandOK", "1", {0, 1, 1}},
            {"mnuSettei", "CommandOK", "abc", {0, 2}},
        };
        for (const Row &r : rows)
            QTest::addRow("%s, %s, Facechack '%s'", r.opener, r.closeBy, r.stored)
                << r.opener << r.closeBy << r.stored << r.flags;
    }
    void modalWindows()
    {
        QFETCH(QString, opener);
        QFETCH(QString, closeBy);
        QFETCH(QString, stored);
        QFETCH(QList<int>, flags);
        showMain(stored);
        const bool on = checkMark();
        test::ProtocolLog log;
        bool onTopWhileOpen = true;
        QPointer<QWidget> opened;
        open(opener, [&](QWidget *w) {
            opened = w;
            onTopWhileOpen = onTop(mainForm());
            QTest::keyClick(w, Qt::Key_Escape); // no window has a cancel key
            if (closeBy != "CommandOK") {       // ticked boxes that are never stored
                for (QCheckBox *box : w->findChildren<QCheckBox *>())
                    box->setChecked(true);
            }
            QVERIFY(w->isVisible());
            closeBy == "close box" ? void(w->close()) : press(w, qPrintable(closeBy));
        });
        QVERIFY(opened.isNull()); // unloaded: nothing of this opening survives
        QVERIFY(!onTopWhileOpen);
        QCOMPARE(log.flagList, flags);
        // Settings OK stores what the boxes show, untouched then: the same state again. Cancel
        // and the close box store nothing.
        QCOMPARE(log.entries.filter("save").size(), closeBy == "CommandOK" ? 3 : 0);
        QCOMPARE(onTop(mainForm()), on);
        QCOMPARE(checkMark(), on);
    }

    void settingsOk_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("check");
        QTest::addColumn<QStringList>("log");
        const QStringList saves{"topmost 0", "save Showlogo=1", "save Clipclear=2"};
        const QStringList on = saves + QStringList{"save Facechack=1", "topmost 1", "topmost 1"};
        const QStringList off = saves + QStringList{"save Facechack=2", "topmost 2"};
        QTest::newRow("checked on") << "2" << true << on;
        QTest::newRow("checked off") << "1" << false << off;
        QTest::newRow("bad value, checked on") << "abc" << true << on;
    }
    void settingsOk()
    {
        QFETCH(QString, stored);
        QFETCH(bool, check);
        QFETCH(QStringList, log);
        showMain(stored);
        test::ProtocolLog protocol;
        open("Command3", [&](QWidget *dialog) {
            child<QCheckBox>(dialog, "CheckLock")->setChecked(check);
            press(dialog, "CommandOK");
        });
        QCOMPARE(protocol.entries, log);
        QCOMPARE(checkMark(), check);
        QCOMPARE(onTop(mainForm()), check);
    }

    // A store that cannot be written never ends the program: one report per command, and the
    // check mark and band still follow what the user chose.
    void failedWritesKeepTheChoice()
    {
        showMain(QString());
        m_settings->blockWrites();
        test::ProtocolLog log;
        child<QAction>(mainForm(), "mnuTemae")->trigger();
        open("mnuSettei", [](QWidget *dialog) {
            child<QCheckBox>(dialog, "CheckLock")->setChecked(true);
            press(dialog, "CommandOK");
        });
        QCOMPARE(log.entries.count("write failure reported"), 2);
        QVERIFY(checkMark() && onTop(mainForm()));
    }

    // The search window: 「履歴を消す」 empties the history and gives the field the focus back;
    // Enter on 「見つかりません」 chooses nothing; Enter chooses the first result, whose row then
    // stays highlighted.
    void searchWindow()
    {
        QString why;
        QVERIFY(History::Add(*FindKaomoji(u"(^^)"), &why));
        FormSearch search(nullptr, {});
        QSignalSpy chosen(&search, &FormSearch::Chosen);
        search.Focus();
        QApplication::setActiveWindow(&search);
        QVERIFY(QTest::qWaitForWindowActive(&search));
        auto *results = child<QTreeWidget>(&search, "Results");
        auto *field = child<QLineEdit>(&search, "Field");
        QCOMPARE(results->topLevelItemCount(), 1);
        QTest::mouseClick(child<QPushButton>(&search, "ClearHistory"), Qt::LeftButton);
        QCOMPARE(results->topLevelItemCount(), 0);
        QCOMPARE(History::Read().size(), 0u);
        QVERIFY(field->hasFocus());

        field->setText("ぱんだ");
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(chosen.count(), 0);
        field->setText("ねこ");
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(chosen.value(0), QVariantList({"(=^ ^=)", "その他１", false}));
        field->setText("ねこちゃん");
        field->setText("ねこ");
        QCOMPARE(results->currentItem()->text(0), "(=^ ^=)");
        // A pasted page: its beginning searched, and the window says so.
        auto *heading = child<QLabel>(&search, "Heading");
        field->setText(QString(" ねこ").repeated(20000));
        QVERIFY(heading->isVisible() && heading->text().contains("100"));
        QCOMPARE(results->topLevelItem(0)->text(0), "(=^ ^=)");
        field->setText("ねこ");
        QVERIFY(!heading->isVisible());
    }
};

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
