#include "settings/options.h"

#include "platform/programinfo.h"
#include "platform/settingsstore.h"
#include "platform/stderrline.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>

namespace pukalo::Options {

namespace {
struct Option
{
    Key key;
    const char16_t *name;
    const char16_t *defaultValue;
};
// The program writes only "1" (on) and "2" (off).
constexpr char16_t kOn[] = u"1";
constexpr char16_t kOff[] = u"2";
constexpr std::array<Option, 4> kOptions = {{
    {Key::Showlogo, u"Showlogo", kOn},
    {Key::Clipclear, u"Clipclear", kOff},
    {Key::Facechack, u"Facechack", kOff},
    {Key::Paste, u"Paste", kOff},
}};

const Option &option(Key key)
{
    return *std::find_if(kOptions.begin(), kOptions.end(),
                         [key](const Option &o) { return o.key == key; });
}

QString application()
{
    return QString::fromUtf8(program::kName);
}

const QString &section()
{
    static const QString name = QStringLiteral("Settings");
    return name;
}

std::optional<qint16> toInt16(QStringView text)
{
    bool ok = false;
    const qint16 value = text.toShort(&ok);
    return ok ? std::optional(value) : std::nullopt;
}
} // namespace

QString Name(Key key)
{
    return QString::fromUtf16(option(key).name);
}

QString Get(Key key)
{
    return GetSetting(application(), section(), Name(key),
                      QString::fromUtf16(option(key).defaultValue));
}

std::optional<qint16> Number(Key key)
{
    return toInt16(Get(key));
}

bool IsOn(Key key)
{
    const QString text = Get(key);
    const std::optional<qint16> value = toInt16(text);
    if (!value) {
        StderrLine("setting %s has the value \"%s\", which is not a 16-bit number; treating it "
                   "as off",
                   qUtf8Printable(Name(key)), qUtf8Printable(text));
        return false;
    }
    return *value == 1;
}

bool Write(Key key, bool on)
{
    return SaveSetting(application(), section(), Name(key), QString::fromUtf16(on ? kOn : kOff));
}

QString FilePath()
{
    return SettingsFilePath(application());
}

} // namespace pukalo::Options
