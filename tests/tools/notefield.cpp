// A field to write in, for the end-to-end tests on Wayland compositors: whatever the field holds
// is written to a file as it changes, as `cat > FILE` does for a terminal.
//   notefield TITLE FILE
#include <QApplication>
#include <QFile>
#include <QLineEdit>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 3)
        return 2;
    QLineEdit field;
    field.setWindowTitle(QString::fromLocal8Bit(argv[1]));
    const QString path = QString::fromLocal8Bit(argv[2]);
    QObject::connect(&field, &QLineEdit::textChanged, [&path](const QString &text) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(text.toUtf8());
    });
    field.resize(400, 40);
    field.show();
    return app.exec();
}
