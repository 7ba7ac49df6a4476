#include "app/startup.h"

#include "app/platform/formslot.h"
#include "app/platform/number.h"
#include "app/platform/runtime.h"
#include "forms/logo/formlogo.h"
#include "forms/main/formmain.h"
#include "settings/options.h"

#include <exception>

namespace pukalo {

namespace {
// Start-up is the one place that carries on after an error: the step is abandoned without a
// word and the next step runs.
template <typename Step>
void ContinueOnError(Step step)
{
    try {
        step();
    } catch (const std::exception &) {
    }
}
} // namespace

void Main()
{
    qint16 LogoSetting = 0;
    // A stored value that is no 16-bit number leaves LogoSetting at 0: main window directly.
    if (const auto value =
            ToInt16(Options::Get(Options::Key::Showlogo, QString::fromUtf16(Options::On))))
        LogoSetting = *value;

    if (LogoSetting == 1) {
        ContinueOnError([] { FormSlot<FormLogo>::Load(); });
        ContinueOnError([] { FormSlot<FormLogo>::Show(); });
    } else {
        ContinueOnError([] { FormSlot<FormMain>::Load(); });
        ContinueOnError([] { FormSlot<FormMain>::Show(); });
    }
}

} // namespace pukalo
