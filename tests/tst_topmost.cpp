// The always-on-top protocol: SetTopmost itself, the start-up restore, the menu toggle, and how
// each modal window of the main window takes it out of the band and puts it back.

#include "app/formslot.h"
#include "app/japanesefont.h"
#include "app/settingsstore.h"
#include "forms/info/formhelp.h"
#include "forms/info/formver.h"
#include "forms/main/formmain.h"
#include "forms/main/topmost.h"
#include "settings/formsettei.h"
#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QWindow>
#include <memory>

using namespace pukalo;

namespace {
// Counts the events that betray a window being taken down and put up again.
class RecreationWatch : public QObject
{
public:
    explicit RecreationWatch(QWidget *w) { w->installEventFilter(this); }
    int events = 0;

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        switch (e->type()) {
        case QEvent::Hide:
        case QEvent::Show:
        case QEvent::WinIdChange:
        case QEvent::PlatformSurface:
            ++events;
            break;
        default:
            break;
        }
        return false;
    }
};

bool onTop(const QWidget *w)
{
    const bool widget = w->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    const bool native =
        !w->windowHandle() || w->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint);
    // The widget's flags must never fall out of step with the live window's.
    if (w->windowHandle() && widget != native)
        qFatal("widget and window disagree on always-on-top");
    return widget;
}

FormMain *mainForm()
{
    return FormSlot<FormMain>::Instance();
}
} // namespace

class TestTopmost : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void setTopmost_data();
    void setTopmost();
    void setTopmostShowsAHiddenWindow();
    void startupRestore_data();
    void startupRestore();
    void toggleTwiceReturnsEverything();
    void modalWindows_data();
    void modalWindows();
    void settingsOkSetsTheState_data();
    void settingsOkSetsTheState();
    void failedWritesKeepTheChoice();

private:
    void loadMain(const QString &facechack);
    std::unique_ptr<test::ScratchSettings> m_settings;
};

void TestTopmost::initTestCase()
{
    InstallJapaneseFontSubstitutes();
}

void TestTopmost::init()
{
    m_settings = std::make_unique<test::ScratchSettings>();
}

void TestTopmost::cleanup()
{
    delete mainForm();
    m_settings.reset();
}

// Loads and shows the main window with this Facechack stored (null: nothing stored).
void TestTopmost::loadMain(const QString &facechack)
{
    delete mainForm();
    if (!facechack.isNull())
        m_settings->write({{QStringLiteral("Facechack"), facechack}});
    FormSlot<FormMain>::Load();
    FormSlot<FormMain>::Show();
    QVERIFY(QTest::qWaitForWindowExposed(mainForm()));
}

void TestTopmost::setTopmost_data()
{
    QTest::addColumn<bool>("startOnTop");
    QTest::addColumn<int>("flag");
    QTest::addColumn<bool>("endOnTop");

    QTest::newRow("1 from normal") << false << 1 << true;
    QTest::newRow("0 from top") << true << 0 << false;
    QTest::newRow("0 from normal") << false << 0 << false;
    QTest::newRow("1 from top") << true << 1 << true;
    QTest::newRow("2 from top") << true << 2 << true;
    QTest::newRow("2 from normal") << false << 2 << false;
    QTest::newRow("-1 from normal") << false << -1 << false;
    QTest::newRow("3 from top") << true << 3 << true;
    QTest::newRow("32767 from normal") << false << 32767 << false;
}

void TestTopmost::setTopmost()
{
    QFETCH(bool, startOnTop);
    QFETCH(int, flag);
    QFETCH(bool, endOnTop);

    loadMain(startOnTop ? QStringLiteral("1") : QStringLiteral("2"));
    FormMain *form = mainForm();
    QCOMPARE(onTop(form), startOnTop);
    const WId id = form->winId();
    const QRect geometry = form->geometry();
    QPointer<QWindow> handle = form->windowHandle();
    RecreationWatch watch(form);

    SetTopmost(form, qint16(flag));

    QCOMPARE(onTop(form), endOnTop);
    // The live window is changed in place: same native window, same place and size, shown.
    QVERIFY(!handle.isNull());
    QCOMPARE(form->windowHandle(), handle.data());
    QCOMPARE(form->winId(), id);
    QCOMPARE(form->geometry(), geometry);
    QVERIFY(form->isVisible());
    QCOMPARE(watch.events, 0); // never hidden and shown again, never re-created
}

void TestTopmost::setTopmostShowsAHiddenWindow()
{
    QWidget never;
    SetTopmost(&never, 2);
    QVERIFY(!never.isVisible());
    SetTopmost(&never, 1);
    QVERIFY(never.isVisible());
    QVERIFY(onTop(&never));

    QWidget hidden;
    hidden.show();
    const WId id = hidden.winId();
    hidden.hide();
    SetTopmost(&hidden, 0);
    QVERIFY(hidden.isVisible());
    QCOMPARE(hidden.winId(), id);
    QVERIFY(!onTop(&hidden));
}

void TestTopmost::startupRestore_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QList<int>>("flags");
    QTest::addColumn<bool>("checked");

    const QList<int> none;
    QTest::newRow("nothing stored") << QString() << none << false;
    QTest::newRow("1") << QStringLiteral("1") << QList<int>{1} << true;
    QTest::newRow("01") << QStringLiteral("01") << QList<int>{1} << true;
    QTest::newRow("2") << QStringLiteral("2") << none << false;
    QTest::newRow("0") << QStringLiteral("0") << none << false;
    QTest::newRow("-1") << QStringLiteral("-1") << none << false;
    QTest::newRow("abc") << QStringLiteral("abc") << none << false;
}

void TestTopmost::startupRestore()
{
    QFETCH(QString, stored);
    QFETCH(QList<int>, flags);
    QFETCH(bool, checked);

    if (!stored.isNull())
        m_settings->write({{QStringLiteral("Facechack"), stored}});
    test::ProtocolLog log;
    FormMain *form = FormSlot<FormMain>::Load();
    QCOMPARE(log.flags(), flags);
    QCOMPARE(form->mnuTemae->isChecked(), checked);
    QCOMPARE(onTop(form), checked);
    // On top before it is shown: the z-order call itself shows the window.
    QCOMPARE(form->isVisible(), checked);
    // Whatever the stored value, the category box is filled.
    QCOMPARE(form->findChild<QComboBox *>(QStringLiteral("Combo1"))->count(), 16);
    QCOMPARE(m_settings->value(QStringLiteral("Facechack")), stored);
}

void TestTopmost::toggleTwiceReturnsEverything()
{
    for (const QString &start : {QStringLiteral("2"), QStringLiteral("1")}) {
        loadMain(start);
        FormMain *form = mainForm();
        const bool wasOn = start == QStringLiteral("1");
        QStringList log;
        SetTopmostObserverForTesting([&](QWidget *, qint16 flag) {
            log << QStringLiteral("mark %1, topmost %2").arg(form->mnuTemae->isChecked()).arg(flag);
        });
        SetSaveObserverForTesting([&](const QString &key, const QString &value) {
            log << QStringLiteral("save %1=%2").arg(key, value);
        });

        form->mnuTemae->trigger();
        QCOMPARE(form->mnuTemae->isChecked(), !wasOn);
        QCOMPARE(onTop(form), !wasOn);
        form->mnuTemae->trigger();
        SetTopmostObserverForTesting({});
        SetSaveObserverForTesting({});

        // Check mark, band, stored option, in that order, and the option rewritten each time.
        const QString on = QStringLiteral("mark 1, topmost 1");
        const QString off = QStringLiteral("mark 0, topmost 0");
        const QString saveOn = QStringLiteral("save Facechack=1");
        const QString saveOff = QStringLiteral("save Facechack=2");
        const QStringList expected =
            wasOn ? QStringList{off, saveOff, on, saveOn} : QStringList{on, saveOn, off, saveOff};
        QCOMPARE(log, expected);
        QCOMPARE(form->mnuTemae->isChecked(), wasOn);
        QCOMPARE(onTop(form), wasOn);
        QCOMPARE(m_settings->value(QStringLiteral("Facechack")), start);
    }
}

void TestTopmost::modalWindows_data()
{
    QTest::addColumn<QString>("opener");
    QTest::addColumn<QString>("closeBy");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QList<int>>("flags");

    const struct
    {
        const char *opener;
        const char *closeBy;
    } ways[] = {
        {"mnuVer", "button"},    {"Command1", "button"}, {"mnuVer", "close box"},
        {"mnuGohelp", "button"}, {"Command4", "button"}, {"mnuGohelp", "close box"},
        {"mnuSettei", "cancel"}, {"Command3", "cancel"}, {"mnuSettei", "close box"},
        {"mnuSettei", "ok"},
    };
    const struct
    {
        const char *tag;
        QString stored;
        bool on;
    } states[] = {
        {"nothing stored", QString(), false},
        {"1", QStringLiteral("1"), true},
        {"2", QStringLiteral("2"), false},
        {"abc", QStringLiteral("abc"), false},
    };
    for (const auto &way : ways) {
        for (const auto &state : states) {
            // Out of the band on opening; back in from the closing button and again from the
            // unload handler, or only from the unload handler after the close box. The
            // settings dialog's buttons pass flag 2, which does nothing, when the option is off.
            QList<int> flags{0};
            const QString closeBy = QLatin1StringView(way.closeBy);
            if (closeBy == QStringLiteral("button"))
                flags << (state.on ? QList<int>{1, 1} : QList<int>{});
            else if (closeBy == QStringLiteral("close box"))
                flags << (state.on ? QList<int>{1} : QList<int>{});
            else
                flags << (state.on ? QList<int>{1, 1} : QList<int>{2});
            QTest::addRow("%s, %s, Facechack %s", way.opener, way.closeBy, state.tag)
                << QString::fromLatin1(way.opener) << closeBy << state.stored << flags;
        }
    }
}

void TestTopmost::modalWindows()
{
    QFETCH(QString, opener);
    QFETCH(QString, closeBy);
    QFETCH(QString, stored);
    QFETCH(QList<int>, flags);

    loadMain(stored);
    FormMain *form = mainForm();
    const bool on = form->mnuTemae->isChecked();
    test::ProtocolLog log;
    bool wasOnTopWhileOpen = true;
    QPointer<QWidget> opened;

    test::WhenModalShown("pukalo::ModalForm", [&](QWidget *w) {
        opened = w;
        wasOnTopWhileOpen = onTop(form);
        QVERIFY(!w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        const char *button = closeBy == QStringLiteral("ok")       ? "CommandOK"
                             : closeBy == QStringLiteral("cancel") ? "CommandCancel"
                                                                   : "Command1";
        if (closeBy == QStringLiteral("close box"))
            w->close();
        else
            QTest::mouseClick(w->findChild<QPushButton *>(QLatin1StringView(button)),
                              Qt::LeftButton);
    });

    if (opener.startsWith(QStringLiteral("mnu")))
        form->findChild<QAction *>(opener)->trigger();
    else
        QTest::mouseClick(form->findChild<QPushButton *>(opener), Qt::LeftButton);

    QVERIFY(opened.isNull()); // unloaded: nothing of this opening survives
    QVERIFY(!wasOnTopWhileOpen);
    // Settings OK stores what the boxes show, untouched here: the same state again.
    QStringList saves;
    for (const QString &e : log.entries) {
        if (e.startsWith(QStringLiteral("save")))
            saves << e;
    }
    if (closeBy == QStringLiteral("ok"))
        QCOMPARE(saves.size(), 3);
    else
        QCOMPARE(saves, QStringList());
    QCOMPARE(log.flags(), flags);
    QCOMPARE(onTop(form), on);
    QCOMPARE(form->mnuTemae->isChecked(), on);
}

void TestTopmost::settingsOkSetsTheState_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("check");
    QTest::addColumn<QStringList>("log");

    QTest::newRow("empty store, untouched")
        << QString() << false
        << QStringList{QStringLiteral("topmost 0"), QStringLiteral("save Showlogo=1"),
                       QStringLiteral("save Clipclear=2"), QStringLiteral("save Facechack=2"),
                       QStringLiteral("topmost 2")};
    QTest::newRow("checked on") << QStringLiteral("2") << true
                                << QStringList{QStringLiteral("topmost 0"),
                                               QStringLiteral("save Showlogo=1"),
                                               QStringLiteral("save Clipclear=2"),
                                               QStringLiteral("save Facechack=1"),
                                               QStringLiteral("topmost 1"),
                                               QStringLiteral("topmost 1")};
    QTest::newRow("checked off") << QStringLiteral("1") << false
                                 << QStringList{QStringLiteral("topmost 0"),
                                                QStringLiteral("save Showlogo=1"),
                                                QStringLiteral("save Clipclear=2"),
                                                QStringLiteral("save Facechack=2"),
                                                QStringLiteral("topmost 2")};
    QTest::newRow("bad value, checked on")
        << QStringLiteral("abc") << true
        << QStringList{QStringLiteral("topmost 0"),        QStringLiteral("save Showlogo=1"),
                       QStringLiteral("save Clipclear=2"), QStringLiteral("save Facechack=1"),
                       QStringLiteral("topmost 1"),        QStringLiteral("topmost 1")};
}

void TestTopmost::settingsOkSetsTheState()
{
    QFETCH(QString, stored);
    QFETCH(bool, check);
    QFETCH(QStringList, log);

    loadMain(stored);
    FormMain *form = mainForm();
    test::ProtocolLog protocol;
    test::WhenModalShown<FormSettei>([&](FormSettei *dialog) {
        dialog->CheckLock->setChecked(check);
        QTest::mouseClick(dialog->CommandOK, Qt::LeftButton);
    });
    QTest::mouseClick(form->Command3, Qt::LeftButton);

    QCOMPARE(protocol.entries, log);
    QCOMPARE(form->mnuTemae->isChecked(), check);
    QCOMPARE(onTop(form), check);
    QCOMPARE(m_settings->value(QStringLiteral("Facechack")),
             check ? QStringLiteral("1") : QStringLiteral("2"));
}

// A store that cannot be written never ends the program: one report per command, and the
// check mark and band still follow what the user chose.
void TestTopmost::failedWritesKeepTheChoice()
{
    loadMain(QString());
    FormMain *form = mainForm();
    m_settings->blockWrites();
    test::ProtocolLog log;

    form->mnuTemae->trigger();
    QCOMPARE(log.entries.count(QStringLiteral("write failure reported")), 1);
    QVERIFY(form->mnuTemae->isChecked());
    QVERIFY(onTop(form));

    log.entries.clear();
    test::WhenModalShown<FormSettei>([](FormSettei *dialog) {
        dialog->CheckLogo->setChecked(false);
        dialog->CheckClipKaknin->setChecked(true);
        dialog->CheckLock->setChecked(true);
        QTest::mouseClick(dialog->CommandOK, Qt::LeftButton);
    });
    form->mnuSettei->trigger();
    QCOMPARE(log.entries.count(QStringLiteral("write failure reported")), 1);
    QVERIFY(form->mnuTemae->isChecked());
    QVERIFY(onTop(form));
    QVERIFY(form->isVisible());
}

QTEST_MAIN(TestTopmost)
#include "tst_topmost.moc"
