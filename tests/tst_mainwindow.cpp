// The main window as its user meets it: keyboard order, fonts, category choice, copy on click
// and every way out.

#include "catalogue/catalogue.h"
#include "forms/main/formmain.h"
#include "settings/history.h"
#include "testsupport.h"
#include "ui/controls.h"
#include "ui/japanesefont.h"

#include <QAction>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRawFont>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

using namespace pukalo;
using test::child;

class TestMainWindow : public QObject
{
    Q_OBJECT
    std::unique_ptr<test::ScratchSettings> m_settings;
    std::unique_ptr<FormMain> m_form;

    template <typename T = ListBox>
    T *control(const char *name)
    {
        return child<T>(m_form.get(), name);
    }

    // Picks a category from the drop-down list the way the list does: current, then reported.
    void choose(const QString &name)
    {
        const int index = control<ComboBox>("Combo1")->findText(name);
        QVERIFY2(index >= 0, qPrintable(name));
        control<ComboBox>("Combo1")->setCurrentIndex(index);
        emit control<ComboBox>("Combo1")->activated(index);
    }
    void clickRow(const char *list, int row)
    {
        const QRect rect = control(list)->visualItemRect(control(list)->item(row));
        QVERIFY(rect.isValid());
        QTest::mouseClick(control(list)->viewport(), Qt::LeftButton, {}, rect.center());
    }

private slots:
    void initTestCase() { ApplyDesignLook(); }
    void init()
    {
        m_settings = std::make_unique<test::ScratchSettings>();
        m_form = std::make_unique<FormMain>();
        m_form->Form_Load();
        m_form->show();
        QApplication::setActiveWindow(m_form.get());
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    }
    void cleanup()
    {
        m_form.reset();
        m_settings.reset();
        QGuiApplication::clipboard()->clear();
    }

    void tabOrder()
    {
        control("List1")->setFocus();
        QStringList visited;
        for (int i = 0; i < 10; ++i) {
            QWidget *w = QApplication::focusWidget();
            visited << (qobject_cast<QLineEdit *>(w) ? w->parentWidget() : w)->objectName();
            QTest::keyClick(w, Qt::Key_Tab);
        }
        QCOMPARE(visited, QStringList({"List1", "List2", "List3", "List4", "Command1", "Command2",
                                       "Command4", "Combo1", "Command3", "List1"}));
    }

    // Every character the windows show comes from a real glyph of the Japanese font in use,
    // never from a fallback or a missing-glyph box.
    void everyGlyphFromTheDesignFont()
    {
        QString text = "プカロ！現在の選択されている文字バージョン終了ヘルプ設定選択してください";
        for (const KaomojiCategory &c : CategoryTable) {
            text += QStringView(c.name);
            for (const auto &column : {c.left, c.right}) {
                for (const KaomojiRow &r : column)
                    text.append(QStringView(r.kaomoji)).append(QStringView(r.description));
            }
        }
        for (double points : {9.0, 12.0, 14.25}) {
            const QRawFont raw = QRawFont::fromFont(DesignFont(points));
            QCOMPARE(raw.familyName(), DesignFontFamily());
            for (const uint ucs4 : text.toUcs4())
                QVERIFY2(ucs4 == ' ' || raw.supportsCharacter(ucs4),
                         qPrintable(QString::number(ucs4, 16)));
        }
    }

    // All eleven entries of a column show without scrolling, each beside its description.
    void columnsFitAndLineUp()
    {
        choose("その他１");
        for (auto [k, d] : {std::pair{"List1", "List2"}, std::pair{"List3", "List4"}}) {
            QCOMPARE(control(k)->count(), 11);
            for (int i = 0; i < 11; ++i) {
                const QRect kr = control(k)->visualItemRect(control(k)->item(i));
                const QRect dr = control(d)->visualItemRect(control(d)->item(i));
                QCOMPARE(kr.top(), dr.top());
                QCOMPARE(kr.height(), dr.height());
                QVERIFY(control(k)->viewport()->rect().contains(kr.bottomLeft()));
            }
            QVERIFY(!control(k)->verticalScrollBar()->isVisible());
            QVERIFY(!control(d)->verticalScrollBar()->isVisible());
        }
    }

    void categoryChoice_data()
    {
        QTest::addColumn<QStringList>("choices");
        QTest::addColumn<int>("loads");
        QTest::addColumn<QString>("firstKaomoji");
        QTest::newRow("first choice") << QStringList{"笑顔１"} << 1 << "(^^)";
        QTest::newRow("笑顔１ then 笑顔２") << QStringList{"笑顔１", "笑顔２"} << 2 << "＼(^o^)／";
        QTest::newRow("and 笑顔１ again")
            << QStringList{"笑顔１", "笑顔２", "笑顔１"} << 3 << "(^^)";
        QTest::newRow("the same twice") << QStringList{"気分", "気分"} << 1 << "o(^o^)o";
        QTest::newRow("驚き after 怒り") << QStringList{"怒り", "驚き"} << 2 << "(*_*)";
    }
    void categoryChoice()
    {
        QFETCH(QStringList, choices);
        QFETCH(int, loads);
        QFETCH(QString, firstKaomoji);

        QStringList names; // the box lists the sixteen names in this order
        for (int i = 0; i < control<ComboBox>("Combo1")->count(); ++i)
            names << control<ComboBox>("Combo1")->itemText(i);
        QCOMPARE(names,
                 QStringList({"笑顔１", "笑顔２", "笑顔３", "泣き顔１", "泣き顔２", "ごめんなさい",
                              "あらら・(汗)", "単純", "漢字", "漢字２", "バイバイ", "気分", "驚き",
                              "怒り", "キャラクター", "その他１"}));
        QSignalSpy resets(control("List1")->model(), &QAbstractItemModel::modelReset);
        for (const QString &name : choices) {
            control("List1")->setCurrentRow(4); // the user's highlight survives a re-choice only
            choose(name);
        }
        QCOMPARE(resets.count(), loads);
        QCOMPARE(control("List1")->item(0)->text(), firstKaomoji);
        const bool again = choices.size() > 1 && choices.last() == choices[choices.size() - 2];
        QCOMPARE(control("List1")->currentRow(), again ? 4 : -1);
    }

    // Typing a name into the box's field loads nothing: only a choice from the list does.
    void typingANameLoadsNothing()
    {
        QLineEdit *field = control<ComboBox>("Combo1")->lineEdit();
        field->setFocus();
        field->selectAll();
        QKeyEvent typing(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, "漢字");
        QApplication::sendEvent(field, &typing);
        QTest::keyClick(field, Qt::Key_Return);
        control("List1")->setFocus();
        QCOMPARE(control("List1")->count(), 0);
    }

    void copyOnClick_data()
    {
        QTest::addColumn<QString>("category");
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("row"); // entry index
        QTest::addColumn<QString>("copied");
        QTest::newRow("first row") << "笑顔１"
                                   << "List1" << 0 << "(^^)";
        QTest::newRow("blank each end") << "笑顔２"
                                        << "List3" << 10 << " (o^_^o) ";
        QTest::newRow("two blanks before") << "バイバイ"
                                           << "List3" << 8 << "  *_*/~~~";
        QTest::newRow("looks like markup") << "笑顔１"
                                           << "List1" << 2 << "<^^>";
        QTest::newRow("lone right row") << "驚き"
                                        << "List3" << 0 << "(・_・）？";
    }
    void copyOnClick()
    {
        QFETCH(QString, category);
        QFETCH(QString, list);
        QFETCH(int, row);
        QFETCH(QString, copied);

        choose(category);
        QGuiApplication::clipboard()->setText("before");
        // A description and a spacer change nothing.
        clickRow(list == "List1" ? "List2" : "List4", row);
        clickRow(qPrintable(list), row > 0 ? row - 1 : row + 1);
        QCOMPARE(control<QLabel>("LabeClipNow")->text(), QString());
        QCOMPARE(test::ClipboardText(), "before");

        QSignalSpy changes(QGuiApplication::clipboard(), &QClipboard::dataChanged);
        clickRow(qPrintable(list), row);
        QTest::qWait(0);
        QCOMPARE(changes.count(), 1); // one change of owner, not a clear and then a set
        QCOMPARE(control<QLabel>("LabeClipNow")->text(), copied);
        QCOMPARE(test::ClipboardText(), copied);
        QCOMPARE(QGuiApplication::clipboard()->mimeData()->formats(), QStringList{"text/plain"});
    }

    void arrowKeysCopy()
    {
        choose("ごめんなさい");
        clickRow("List3", 0);
        QStringList seen{test::ClipboardText()};
        for (int i = 0; i < 4; ++i) {
            QTest::keyClick(control("List3"), Qt::Key_Down);
            seen << test::ClipboardText();
        }
        // On a spacer the last kaomoji stays.
        QCOMPARE(seen, QStringList({"(v_v)", "(v_v)", " m(_ _;)m ", " m(_ _;)m ", " (__) "}));
        // The history keeps what was clicked, with the category it was chosen in; a kaomoji
        // only passed by with the arrow keys is dropped by the click that follows.
        choose("気分");
        clickRow("List3", 2);
        History::AddSettling(); // as the program does at its end
        QStringList kept;
        for (const CatalogueEntry &e : History::Read())
            kept << QStringView(e.category->name).toString() + ' ' +
                        QStringView(e.row->kaomoji).toString();
        QCOMPARE(kept, QStringList({"気分 p(^_^)q", "ごめんなさい (v_v)"}));
    }

    // The label keeps the kaomoji copied last through a category change and a clear;
    // clicking the chosen kaomoji copies it again.
    void labelAndClipboardAcrossCommands()
    {
        choose("漢字");
        clickRow("List3", 2);
        QGuiApplication::clipboard()->setText("something else");
        clickRow("List3", 2);
        QCOMPARE(test::ClipboardText(), "(苦)");
        choose("漢字２");
        control<QAction>("mnuClipCliar")->trigger();
        QTRY_COMPARE(test::ClipboardText(), QString());
        QCOMPARE(control<QLabel>("LabeClipNow")->text(), "(苦)");
        clickRow("List3", 6);
        QCOMPARE(test::ClipboardText(), "（苦笑）");
    }

    void exitProcedure_data()
    {
        QTest::addColumn<QString>("clipclear"); // null: nothing stored
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("cleared");
        for (const char *how : {"button", "menu", "close box"}) {
            QTest::addRow("%s, nothing stored", how) << QString() << how << false;
            QTest::addRow("%s, Clipclear 1", how) << "1" << how << true;
            QTest::addRow("%s, Clipclear 2", how) << "2" << how << false;
            QTest::addRow("%s, Clipclear abc", how) << "abc" << how << false;
        }
    }
    void exitProcedure()
    {
        QFETCH(QString, clipclear);
        QFETCH(QString, how);
        QFETCH(bool, cleared);

        m_settings->write({{"Clipclear", clipclear}});
        const QByteArray stored = m_settings->bytes();
        test::EndRecorder end;
        QGuiApplication::clipboard()->setText("another program's text");
        if (how == "button")
            QTest::mouseClick(control<QPushButton>("Command2"), Qt::LeftButton);
        else if (how == "menu")
            control<QAction>("mnuEnd")->trigger();
        else
            m_form->close();

        QCOMPARE(end.ends, 1);
        QCOMPARE(test::ClipboardText(), cleared ? QString() : "another program's text");
        QVERIFY(m_form->isVisible()); // the program ends; the request itself closes nothing
        // Nothing runs after the end, and nothing is written on the way out: no category is
        // loaded, no kaomoji copied.
        m_form->close();
        QTest::mouseClick(control<QPushButton>("Command2"), Qt::LeftButton);
        choose("笑顔２");
        QCOMPARE(control("List1")->count(), 0);
        QCOMPARE(end.ends, 1);
        QCOMPARE(m_settings->bytes(), stored);
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
