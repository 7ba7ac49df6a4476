#include "settings/windowsizes.h"

#include "platform/programinfo.h"
#include "platform/settingsstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace pukalo::WindowSizes {

namespace {
QString path(const QString &name)
{
    return StateFilePath(QString::fromUtf8(program::kName), name + QStringLiteral("-size"));
}
} // namespace

std::optional<QSize> Read(const QString &name)
{
    QFile file(path(name));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QList<QByteArray> numbers = file.read(64).simplified().split(' ');
    bool wide = false, high = false;
    const int width = numbers.value(0).toInt(&wide), height = numbers.value(1).toInt(&high);
    // Anything else is not a size this program wrote.
    if (numbers.size() != 2 || !wide || !high || width <= 0 || height <= 0 || width > 10000 ||
        height > 10000)
        return std::nullopt;
    return QSize(width, height);
}

void Write(const QString &name, QSize size)
{
    if (Read(name) == size || !QDir().mkpath(QFileInfo(path(name)).path()))
        return;
    QSaveFile file(path(name));
    if (file.open(QIODevice::WriteOnly)) {
        file.write(QByteArray::number(size.width()) + ' ' + QByteArray::number(size.height()) +
                   '\n');
        file.commit();
    }
}

} // namespace pukalo::WindowSizes
