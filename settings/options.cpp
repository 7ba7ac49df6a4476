#include "settings/options.h"

#include "app/number.h"
#include "app/settingsstore.h"

#include <cstdio>

namespace pukalo::Options {

namespace {
const QString &application()
{
    static const QString name = QStringLiteral("Pukalo");
    return name;
}

const QString &section()
{
    static const QString name = QStringLiteral("Settings");
    return name;
}
} // namespace

QString Name(Key key)
{
    switch (key) {
    case Key::Showlogo:
        return QStringLiteral("Showlogo");
    case Key::Clipclear:
        return QStringLiteral("Clipclear");
    case Key::Facechack:
        return QStringLiteral("Facechack");
    }
    return {};
}

QString Get(Key key, const QString &defaultValue)
{
    return GetSetting(application(), section(), Name(key), defaultValue);
}

bool IsOn(Key key, const QString &defaultValue)
{
    const QString text = Get(key, defaultValue);
    const std::optional<qint16> value = ToInt16(text);
    if (!value) {
        std::fprintf(stderr,
                     "pukalo: setting %s has the value \"%s\", which is not a 16-bit number; "
                     "treating it as off\n",
                     qUtf8Printable(Name(key)), qUtf8Printable(text));
        return false;
    }
    return *value == 1;
}

} // namespace pukalo::Options
