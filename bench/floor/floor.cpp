// The floor: a bare Qt Widgets program with the same window and widgets as Pukalo's main
// window (a combo box, four list boxes, two labels, four buttons, a menu bar with two menus),
// built the plainest way, with nothing else. What Qt itself costs to start.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("floor"));
    auto *client = new QWidget;
    client->setFixedSize(440, 280);
    window.setCentralWidget(client);
    QMenu *menu = window.menuBar()->addMenu(QStringLiteral("プカロ(&K)"));
    for (const char16_t *item : {u"バージョン情報(&V)", u"設定(&S)", u"常に手前に表示(&M)",
                                 u"クリップボードをクリア(&C)", u"終了(&E)"})
        menu->addAction(QString::fromUtf16(item));
    window.menuBar()
        ->addMenu(QStringLiteral("ヘルプ(&H)"))
        ->addAction(QStringLiteral("ヘルプ(&H)"));
    const QRect lists[] = {
        {8, 32, 65, 196}, {80, 32, 137, 196}, {224, 32, 65, 196}, {296, 32, 137, 196}};
    for (const QRect &r : lists)
        (new QListWidget(client))->setGeometry(r);
    (new QLabel(QStringLiteral("プカロ！"), client))->setGeometry(8, 0, 273, 25);
    (new QLabel(QStringLiteral("現在の選択されている文字"), client))->setGeometry(48, 232, 145, 17);
    (new QLabel(client))->setGeometry(40, 248, 153, 25);
    const std::pair<const char16_t *, QRect> buttons[] = {{u"バージョン", {232, 256, 73, 17}},
                                                          {u"終了", {320, 256, 105, 17}},
                                                          {u"ヘルプ", {232, 232, 73, 17}},
                                                          {u"設定", {320, 232, 105, 17}}};
    for (const auto &[text, r] : buttons)
        (new QPushButton(QString::fromUtf16(text), client))->setGeometry(r);
    auto *combo = new QComboBox(client);
    combo->setEditable(true);
    combo->setGeometry(288, 3, 121, 20);
    combo->setEditText(QStringLiteral("選択してください"));
    window.show();
    return app.exec();
}
