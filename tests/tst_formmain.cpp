// The main window: its design, category choice, copy on click and the exit commands.

#include "app/controls.h"
#include "app/japanesefont.h"
#include "app/runtime.h"
#include "catalogue/catalogue.h"
#include "forms/main/formmain.h"
#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRawFont>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <memory>

using namespace pukalo;

namespace {
QString clipboardText()
{
    return QGuiApplication::clipboard()->text(QClipboard::Clipboard);
}

void putOnClipboard(const QString &text)
{
    QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard);
}

// Picks a category from the drop-down list the way the list does it: make it current, then
// report the choice.
void choose(FormMain &form, const QString &name)
{
    const int index = form.Combo1->findText(name);
    QVERIFY2(index >= 0, qPrintable(name));
    form.Combo1->setCurrentIndex(index);
    emit form.Combo1->activated(index);
}

void clickRow(ListBox *list, int row)
{
    const QRect rect = list->visualItemRect(list->item(row));
    QVERIFY(rect.isValid());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

QString focusName()
{
    QWidget *w = QApplication::focusWidget();
    if (qobject_cast<QLineEdit *>(w) && w->parentWidget())
        w = w->parentWidget(); // the combo box's text field stands for the combo box
    return w ? w->objectName() : QString();
}
} // namespace

class TestFormMain : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void programIcon();
    void designFontHasEveryGlyph();
    void tabOrder();
    void formLoad();

    void categoryCodes_data();
    void categoryCodes();
    void samecategoryKeepsRowsAndHighlight();
    void columnsFitAndLineUp();
    void onlyAChoiceFromTheListLoads();

    void copyOnClick_data();
    void copyOnClick();
    void arrowKeysCopyAndSkipSpacers();
    void clickingTheChosenKaomojiCopiesAgain();
    void categoryChangeAndClearLeaveLabel();

    void exitProcedure_data();
    void exitProcedure();
    void errorInAHandlerIsReportedAndEnds();

private:
    std::unique_ptr<test::ScratchSettings> m_settings;
    std::unique_ptr<FormMain> m_form;
};

void TestFormMain::initTestCase()
{
    InstallJapaneseFontSubstitutes();
    QApplication::setFont(DesignFont(9));
}

void TestFormMain::init()
{
    m_settings = std::make_unique<test::ScratchSettings>();
    m_form = std::make_unique<FormMain>();
    m_form->Form_Load();
    m_form->show();
    QApplication::setActiveWindow(m_form.get());
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void TestFormMain::cleanup()
{
    m_form.reset();
    m_settings.reset();
    QGuiApplication::clipboard()->clear();
}

void TestFormMain::programIcon()
{
    QFile ico(QStringLiteral(":/main/pukalo.ico"));
    QVERIFY(ico.open(QIODevice::ReadOnly));
    QCOMPARE(ico.size(), 766);
    const QImage icon(QStringLiteral(":/main/pukalo.ico"));
    QCOMPARE(icon.size(), QSize(32, 32));
    QCOMPARE(icon.pixelColor(0, 0).alpha(), 0);               // transparent background
    QCOMPARE(icon.pixelColor(5, 2), QColor(255, 0, 255));     // the face's magenta bracket
    QCOMPARE(icon.pixelColor(20, 27), QColor(255, 255, 255)); // the white plate
    QCOMPARE(m_form->windowIcon().availableSizes(), QList<QSize>{QSize(32, 32)});
}

// Every character the window can show must come from a real glyph of the font in use, not
// from a fallback font or a missing-glyph box.
void TestFormMain::designFontHasEveryGlyph()
{
    QString text = QStringLiteral("プカロ！現在の選択されている文字バージョン終了ヘルプ設定"
                                  "選択してください顔文字です。説明です。");
    for (const KaomojiCategory &c : CategoryTable) {
        text += ToQString(c.name);
        for (const auto &column : {c.left, c.right}) {
            for (const KaomojiRow &r : column)
                text += ToQString(r.kaomoji) + ToQString(r.description);
        }
    }
    for (double points : {9.0, 12.0, 14.25, 15.75}) {
        const QFont font = DesignFont(points, points == 15.75);
        const QString family = QFontInfo(font).family();
        QVERIFY2(QFont::substitutes(DesignFontFamily()).contains(family, Qt::CaseInsensitive),
                 qPrintable(family));
        const QRawFont raw = QRawFont::fromFont(font);
        QVERIFY(raw.isValid());
        for (const uint ucs4 : text.toUcs4()) {
            if (ucs4 == u' ')
                continue;
            QVERIFY2(raw.supportsCharacter(ucs4),
                     qPrintable(QStringLiteral("%1 lacks U+%2")
                                    .arg(family)
                                    .arg(ucs4, 4, 16, QLatin1Char('0'))));
        }
    }
}

void TestFormMain::tabOrder()
{
    m_form->List1->setFocus();
    QStringList visited{focusName()};
    for (int i = 0; i < 9; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << focusName();
    }
    QCOMPARE(visited, (QStringList{QStringLiteral("List1"), QStringLiteral("List2"),
                                   QStringLiteral("List3"), QStringLiteral("List4"),
                                   QStringLiteral("Command1"), QStringLiteral("Command2"),
                                   QStringLiteral("Command4"), QStringLiteral("Combo1"),
                                   QStringLiteral("Command3"), QStringLiteral("List1")}));
}

void TestFormMain::formLoad()
{
    FormMain &f = *m_form;
    QStringList names;
    for (int i = 0; i < f.Combo1->count(); ++i)
        names << f.Combo1->itemText(i);
    QCOMPARE(names, (QStringList{QStringLiteral("笑顔１"), QStringLiteral("笑顔２"),
                                 QStringLiteral("笑顔３"), QStringLiteral("泣き顔１"),
                                 QStringLiteral("泣き顔２"), QStringLiteral("ごめんなさい"),
                                 QStringLiteral("あらら・(汗)"), QStringLiteral("単純"),
                                 QStringLiteral("漢字"), QStringLiteral("漢字２"),
                                 QStringLiteral("バイバイ"), QStringLiteral("気分"),
                                 QStringLiteral("驚き"), QStringLiteral("怒り"),
                                 QStringLiteral("キャラクター"), QStringLiteral("その他１")}));
    QCOMPARE(f.Combo1->currentIndex(), -1);
    QCOMPARE(f.Combo1->Text(), QStringLiteral("選択してください"));
    QCOMPARE(f.LoadedCategory, qint16(0));
    for (ListBox *list : {f.List1, f.List2, f.List3, f.List4})
        QCOMPARE(list->count(), 0);
    QCOMPARE(f.LabeClipNow->text(), QString());
    QVERIFY(!f.mnuTemae->isChecked());
}

void TestFormMain::categoryCodes_data()
{
    QTest::addColumn<QStringList>("choices");
    QTest::addColumn<int>("loads");
    QTest::addColumn<int>("code");

    auto list = [](std::initializer_list<const char16_t *> names) {
        QStringList l;
        for (const char16_t *n : names)
            l << QString::fromUtf16(n);
        return l;
    };
    QTest::newRow("笑顔１ has code 2") << list({u"笑顔１"}) << 1 << 2;
    QTest::newRow("笑顔２ has code 1") << list({u"笑顔２"}) << 1 << 1;
    QTest::newRow("笑顔３ has code 14") << list({u"笑顔３"}) << 1 << 14;
    QTest::newRow("驚き has code 11") << list({u"驚き"}) << 1 << 11;
    QTest::newRow("漢字２ has code 16") << list({u"漢字２"}) << 1 << 16;
    QTest::newRow("one then two") << list({u"笑顔１", u"笑顔２"}) << 2 << 1;
    QTest::newRow("one, two, one") << list({u"笑顔１", u"笑顔２", u"笑顔１"}) << 3 << 2;
    QTest::newRow("same twice") << list({u"怒り", u"怒り"}) << 1 << 10;
    QTest::newRow("no match") << list({u"選択してください"}) << 0 << 0;
}

void TestFormMain::categoryCodes()
{
    QFETCH(QStringList, choices);
    QFETCH(int, loads);
    QFETCH(int, code);

    FormMain &f = *m_form;
    QSignalSpy resets(f.List1->model(), &QAbstractItemModel::modelReset);
    for (const QString &name : choices) {
        if (f.Combo1->findText(name) >= 0) {
            choose(f, name);
        } else {
            f.Combo1->setEditText(name);
            f.Combo1_Click();
        }
    }
    QCOMPARE(resets.count(), loads);
    QCOMPARE(f.LoadedCategory, qint16(code));
    for (const KaomojiCategory &c : CategoryTable) {
        if (ToQString(c.name) == choices.last())
            QCOMPARE(f.List1->item(0)->text(), ToQString(c.left[0].kaomoji));
    }
}

void TestFormMain::samecategoryKeepsRowsAndHighlight()
{
    FormMain &f = *m_form;
    choose(f, QStringLiteral("気分"));
    clickRow(f.List1, 4);
    f.List2->setCurrentRow(6);
    QSignalSpy resets(f.List1->model(), &QAbstractItemModel::modelReset);
    choose(f, QStringLiteral("気分"));
    QCOMPARE(resets.count(), 0);
    QCOMPARE(f.List1->currentRow(), 4);
    QCOMPARE(f.List2->currentRow(), 6);
}

// All eleven entries of a column show without scrolling, each kaomoji level with its
// description.
void TestFormMain::columnsFitAndLineUp()
{
    FormMain &f = *m_form;
    choose(f, QStringLiteral("その他１"));
    for (auto [kaomoji, descriptions] :
         {std::pair{f.List1, f.List2}, std::pair{f.List3, f.List4}}) {
        QCOMPARE(kaomoji->count(), 11);
        for (int i = 0; i < 11; ++i) {
            const QRect k = kaomoji->visualItemRect(kaomoji->item(i));
            const QRect d = descriptions->visualItemRect(descriptions->item(i));
            QCOMPARE(k.top(), d.top());
            QCOMPARE(k.height(), d.height());
            QVERIFY(kaomoji->viewport()->rect().contains(k.bottomLeft()));
        }
        QVERIFY(!kaomoji->verticalScrollBar()->isVisible());
        QVERIFY(!descriptions->horizontalScrollBar()->isVisible());
    }
}

void TestFormMain::onlyAChoiceFromTheListLoads()
{
    FormMain &f = *m_form;
    QLineEdit *field = f.Combo1->lineEdit();
    field->setFocus();
    field->selectAll();
    QKeyEvent typing(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("漢字"));
    QApplication::sendEvent(field, &typing);
    QCOMPARE(f.Combo1->Text(), QStringLiteral("漢字"));
    QTest::keyClick(field, Qt::Key_Return);
    f.List1->setFocus(); // the field loses focus
    QCOMPARE(f.LoadedCategory, qint16(0));
    QCOMPARE(f.List1->count(), 0);

    // The arrow keys pick from the list; the first press picks the first entry.
    field->setFocus();
    f.Combo1->setEditText(QStringLiteral("選択してください"));
    QTest::keyClick(f.Combo1, Qt::Key_Down);
    QCOMPARE(f.Combo1->Text(), QStringLiteral("笑顔１"));
    QCOMPARE(f.LoadedCategory, qint16(2));
    QTest::keyClick(f.Combo1, Qt::Key_Down);
    QCOMPARE(f.LoadedCategory, qint16(1));
    QCOMPARE(f.List1->item(0)->text(), QStringLiteral("＼(^o^)／"));
}

void TestFormMain::copyOnClick_data()
{
    QTest::addColumn<QString>("category");
    QTest::addColumn<bool>("right");
    QTest::addColumn<int>("row"); // entry index in the list
    QTest::addColumn<QString>("copied");

    QTest::newRow("first row") << QStringLiteral("笑顔１") << false << 0 << QStringLiteral("(^^)");
    QTest::newRow("blank after") << QStringLiteral("笑顔２") << true << 6
                                 << QStringLiteral("(☆o☆) ");
    QTest::newRow("blank each end")
        << QStringLiteral("笑顔２") << true << 10 << QStringLiteral(" (o^_^o) ");
    QTest::newRow("two blanks before")
        << QStringLiteral("バイバイ") << true << 8 << QStringLiteral("  *_*/~~~");
    QTest::newRow("longest") << QStringLiteral("怒り") << true << 4
                             << QStringLiteral(" o(- -#)o  ");
    QTest::newRow("looks like markup")
        << QStringLiteral("笑顔１") << false << 2 << QStringLiteral("<^^>");
    QTest::newRow("lone right row")
        << QStringLiteral("驚き") << true << 0 << QStringLiteral("(・_・）？");
}

void TestFormMain::copyOnClick()
{
    QFETCH(QString, category);
    QFETCH(bool, right);
    QFETCH(int, row);
    QFETCH(QString, copied);

    FormMain &f = *m_form;
    choose(f, category);
    ListBox *kaomoji = right ? f.List3 : f.List1;
    ListBox *descriptions = right ? f.List4 : f.List2;
    putOnClipboard(QStringLiteral("before"));

    // A description and a spacer change nothing.
    clickRow(descriptions, row);
    clickRow(kaomoji, row + 1 < kaomoji->count() ? row + 1 : row - 1);
    QCOMPARE(f.LabeClipNow->text(), QString());
    QCOMPARE(clipboardText(), QStringLiteral("before"));

    clickRow(kaomoji, row);
    QCOMPARE(f.LabeClipNow->text(), copied);
    QCOMPARE(clipboardText(), copied);
    const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
    QCOMPARE(mime->formats(), QStringList{QStringLiteral("text/plain")});
}

void TestFormMain::arrowKeysCopyAndSkipSpacers()
{
    FormMain &f = *m_form;
    choose(f, QStringLiteral("ごめんなさい"));
    clickRow(f.List3, 0);
    QCOMPARE(clipboardText(), QStringLiteral("(v_v)"));

    const QStringList expected = {QStringLiteral("(v_v)"),    QStringLiteral(" m(_ _;)m "),
                                  QStringLiteral(" (__) "),   QStringLiteral(" (._.) "),
                                  QStringLiteral(" m(ｰｰ)m "), QStringLiteral(" (ｰ_ｰ;) ")};
    for (int entry = 1; entry < 11; ++entry) {
        QTest::keyClick(f.List3, Qt::Key_Down);
        QCOMPARE(f.List3->currentRow(), entry);
        // On a spacer the last kaomoji stays; on a kaomoji that one is copied.
        const QString want = expected[entry / 2];
        QCOMPARE(clipboardText(), want);
        QCOMPARE(f.LabeClipNow->text(), want);
    }
    QTest::keyClick(f.List3, Qt::Key_Home);
    QCOMPARE(clipboardText(), QStringLiteral("(v_v)"));
}

void TestFormMain::clickingTheChosenKaomojiCopiesAgain()
{
    FormMain &f = *m_form;
    choose(f, QStringLiteral("単純"));
    clickRow(f.List1, 2);
    QCOMPARE(clipboardText(), QStringLiteral("(--)"));
    putOnClipboard(QStringLiteral("something else"));
    clickRow(f.List1, 2);
    QCOMPARE(clipboardText(), QStringLiteral("(--)"));
}

void TestFormMain::categoryChangeAndClearLeaveLabel()
{
    FormMain &f = *m_form;
    choose(f, QStringLiteral("漢字"));
    clickRow(f.List3, 2);
    QCOMPARE(clipboardText(), QStringLiteral("(苦)"));

    choose(f, QStringLiteral("漢字２"));
    QCOMPARE(f.LabeClipNow->text(), QStringLiteral("(苦)"));
    QCOMPARE(clipboardText(), QStringLiteral("(苦)"));

    f.mnuClipCliar->trigger();
    QCOMPARE(clipboardText(), QString());
    QCOMPARE(f.LabeClipNow->text(), QStringLiteral("(苦)"));

    clickRow(f.List3, 6);
    QCOMPARE(clipboardText(), QStringLiteral("（苦笑）"));
}

void TestFormMain::exitProcedure_data()
{
    QTest::addColumn<QString>("clipclear"); // null: nothing stored
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("cleared");

    const struct
    {
        const char *tag;
        QString stored;
        bool cleared;
    } values[] = {
        {"nothing stored", QString(), false}, {"1", QStringLiteral("1"), true},
        {"01", QStringLiteral("01"), true},   {"2", QStringLiteral("2"), false},
        {"0", QStringLiteral("0"), false},    {"abc", QStringLiteral("abc"), false},
    };
    for (const char *how : {"button", "menu", "close box", "signal"}) {
        for (const auto &v : values)
            QTest::newRow((QByteArray(how) + ", Clipclear " + v.tag).constData())
                << v.stored << QString::fromLatin1(how) << v.cleared;
    }
}

void TestFormMain::exitProcedure()
{
    QFETCH(QString, clipclear);
    QFETCH(QString, how);
    QFETCH(bool, cleared);

    if (!clipclear.isNull())
        m_settings->write({{QStringLiteral("Clipclear"), clipclear}});
    test::EndRecorder end;
    FormMain &f = *m_form;
    putOnClipboard(QStringLiteral("another program's text"));

    if (how == QStringLiteral("button"))
        QTest::mouseClick(f.Command2, Qt::LeftButton);
    else if (how == QStringLiteral("menu"))
        f.mnuEnd->trigger();
    else if (how == QStringLiteral("close box"))
        f.close();
    else
        f.RequestClose(FormMain::AppTaskManager);

    QCOMPARE(end.ends, 1);
    QCOMPARE(end.reports, QStringList());
    QCOMPARE(clipboardText(), cleared ? QString() : QStringLiteral("another program's text"));
    // The close request itself never closes the window: the program ends instead.
    QVERIFY(f.isVisible());
    // Nothing runs after End, not even another close request.
    f.close();
    QTest::mouseClick(f.Command2, Qt::LeftButton);
    QCOMPARE(end.ends, 1);
    // The stored value is left as it was.
    QCOMPARE(m_settings->value(QStringLiteral("Clipclear")), clipclear);
}

void TestFormMain::errorInAHandlerIsReportedAndEnds()
{
    test::EndRecorder end;
    Guarded([] { throw RuntimeError(QStringLiteral("設定を読めません")); })();
    QCOMPARE(end.reports, QStringList{QStringLiteral("設定を読めません")});
    QCOMPARE(end.ends, 1);
    QCOMPARE(end.status, 1);

    // After the report nothing else runs, and a later End changes nothing.
    int ran = 0;
    Guarded([&] { ++ran; })();
    m_form->Command2_Click();
    QCOMPARE(ran, 0);
    QCOMPARE(end.ends, 1);
}

QTEST_MAIN(TestFormMain)
#include "tst_formmain.moc"
