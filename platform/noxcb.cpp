// Built instead of platform/xcb/ where xcb is not available: nothing of X11 is said or asked,
// and there is no clipboard keeper.
#include "platform/clipboardserver.h"
#include "platform/handover.h"
#include "platform/pasteback.h"
#include "platform/platformchoice.h"
#include "platform/windowmanager.h"

#include <QGuiApplication>
#include <cstdio>
#include <unistd.h>

namespace pukalo {

void SkipTaskbar(QWidget *) {}

void MarkAsSplash(QWidget *) {}

void RequestFrameExtents(QWidget *) {}

std::optional<QMargins> FrameExtents(QWidget *)
{
    return std::nullopt;
}

void WatchFrameExtents(QWidget *, QObject *, std::function<void()>) {}

void BringForward(QWidget *, const QByteArray &, const QByteArray &activationToken,
                  const std::function<void()> &show)
{
    if (!activationToken.isEmpty())
        qputenv("XDG_ACTIVATION_TOKEN", activationToken);
    show();
}

bool AlwaysOnTopSupported()
{
    return !OnNativeWayland();
}

bool ChoosePlatformAndCheckDisplay()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (IsWaylandPlatform(platform) ||
        (platform.isEmpty() && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")))
        return NativeWaylandPossible();
    return true;
}

bool OnX11()
{
    return false;
}

void ServeClipboardExactly() {}

void HandOverToKeeper() {}

void ExitNow(int status)
{
    std::fflush(nullptr);
    _exit(status);
}

void PasteBack::FollowActiveWindow() {}

PasteBack::Support PasteBack::Supported()
{
    return OnNativeWayland() ? PasteBack::Support::NativeWayland : PasteBack::Support::NoXTest;
}

PasteBack::Absence PasteBack::WhyNoTarget()
{
    return {PasteBack::NoTarget::NotYetSeen, 0};
}

void PasteBack::PasteIntoTarget(const QString &, PasteBack::PasteDone done)
{
    done(PasteBack::Outcome::NoTarget, QString());
}

void PasteBack::Refocus() {}

} // namespace pukalo
