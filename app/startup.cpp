#include "app/startup.h"

#include "forms/logo/formlogo.h"
#include "forms/main/formmain.h"
#include "settings/options.h"
#include "ui/formslot.h"

namespace pukalo {

void Main()
{
    qint16 LogoSetting = 0;
    // A stored value that is no 16-bit number leaves LogoSetting at 0: main window directly.
    if (const auto value = Options::Number(Options::Key::Showlogo))
        LogoSetting = *value;

    if (LogoSetting == 1) {
        FormSlot<FormLogo>::Load();
        FormSlot<FormLogo>::Show();
    } else {
        FormSlot<FormMain>::Load();
        FormSlot<FormMain>::Show();
    }
}

} // namespace pukalo
