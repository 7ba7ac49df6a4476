#include "settings/windowsizes.h"

#include "platform/filestore.h"
#include "platform/programinfo.h"
#include "platform/sayonce.h"
#include "platform/settingsstore.h"
#include "platform/stderrline.h"

#include <QHash>
#include <utility>

namespace pukalo::WindowSizes {

namespace {
QString path(const QString &name)
{
    return StateFilePath(QString::fromUtf8(program::kName), name + QStringLiteral("-size"));
}

// Never torn down, as the history's choice still settling: written from the exit handler.
QHash<QString, QSize> &remembered()
{
    static QHash<QString, QSize> &sizes = *new QHash<QString, QSize>;
    return sizes;
}
} // namespace

std::optional<QSize> Read(const QString &name)
{
    QByteArray bytes;
    QString why;
    if (FileStore::ReadFile(path(name), 64, &bytes, &why) != FileStore::Read::Done)
        return std::nullopt;
    const QList<QByteArray> numbers = bytes.simplified().split(' ');
    bool wide = false, high = false;
    const int width = numbers.value(0).toInt(&wide), height = numbers.value(1).toInt(&high);
    // Anything else is not a size this program wrote.
    if (numbers.size() != 2 || !wide || !high || width <= 0 || height <= 0 || width > 10000 ||
        height > 10000)
        return std::nullopt;
    return QSize(width, height);
}

void Remember(const QString &name, QSize size)
{
    remembered().insert(name, size);
}

void Write()
{
    for (auto [name, size] : std::exchange(remembered(), {}).asKeyValueRange()) {
        QString why;
        static SayOnce told;
        if (Read(name) != size &&
            !FileStore::ReplaceFile(path(name),
                                    QByteArray::number(size.width()) + ' ' +
                                        QByteArray::number(size.height()) + '\n',
                                    &why) &&
            told.First())
            StderrLine("could not keep the window's size in %s: %s", qUtf8Printable(path(name)),
                       qUtf8Printable(why));
    }
}

} // namespace pukalo::WindowSizes
