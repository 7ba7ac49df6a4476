// An addon of the input method framework fcitx5: it lets Pukalo commit a picked kaomoji into the
// text field that has the keyboard focus, the way the input method commits a conversion. On a
// Wayland session no program may send keys to another's window, but the input method may write
// into whichever field it serves, native Wayland and X11 alike.
//
// Pukalo gives the focus back to the window the user came from first (through the compositor)
// and only then asks for the commit; the addon commits into the focused field only, and never
// into a field of Pukalo's own.

#include <dbus_public.h>
#include <fcitx-utils/dbus/objectvtable.h>
#include <fcitx/addonfactory.h>
#include <fcitx/addoninstance.h>
#include <fcitx/addonmanager.h>
#include <fcitx/inputcontext.h>
#include <fcitx/instance.h>
#include <wayland_public.h>

#include <memory>
#include <set>
#include <string>

namespace {

class Paste : public fcitx::dbus::ObjectVTable<Paste>
{
public:
    explicit Paste(fcitx::Instance *instance, const std::set<wl_display *> &displays)
        : m_instance(instance), m_displays(displays)
    {
    }

    // "" when committed, else why not (said by Pukalo to the user).
    std::string commit(const std::string &text, const std::string &ownProgram)
    {
        fcitx::InputContext *ic = m_instance->lastFocusedInputContext();
        if (!ic || !ic->hasFocus())
            return "no text field has the focus";
        if (!ownProgram.empty() && ic->program() == ownProgram)
            return "the focus is in the picker itself";
        if (text.empty())
            return "nothing to commit";
        ic->commitString(text);
        // The Wayland frontend sends on the connection's next turn of the event loop, which may
        // be seconds away when nothing else happens: the text goes out now.
        for (wl_display *display : m_displays)
            wl_display_flush(display);
        return {};
    }

    // Asked by Pukalo before it gives the focus away for a paste this addon could not make.
    bool ready() { return true; }

private:
    FCITX_OBJECT_VTABLE_METHOD(commit, "Commit", "ss", "s");
    FCITX_OBJECT_VTABLE_METHOD(ready, "Ready", "", "b");

    fcitx::Instance *m_instance;
    const std::set<wl_display *> &m_displays;
};

class PukaloPaste : public fcitx::AddonInstance
{
public:
    explicit PukaloPaste(fcitx::Instance *instance) : m_paste(instance, m_displays)
    {
        fcitx::AddonManager &addons = instance->addonManager();
        if (fcitx::AddonInstance *wayland = addons.addon("wayland")) {
            m_created = wayland->call<fcitx::IWaylandModule::addConnectionCreatedCallback>(
                [this](const std::string &, wl_display *display, fcitx::FocusGroup *) {
                    m_displays.insert(display);
                });
            m_closed = wayland->call<fcitx::IWaylandModule::addConnectionClosedCallback>(
                [this](const std::string &, wl_display *display) { m_displays.erase(display); });
        }
        if (fcitx::AddonInstance *dbus = addons.addon("dbus"))
            dbus->call<fcitx::IDBusModule::bus>()->addObjectVTable("/jp/pukalo/Paste",
                                                                   "jp.pukalo.Paste1", m_paste);
    }

private:
    std::set<wl_display *> m_displays;
    Paste m_paste;
    std::unique_ptr<fcitx::HandlerTableEntry<fcitx::WaylandConnectionCreated>> m_created;
    std::unique_ptr<fcitx::HandlerTableEntry<fcitx::WaylandConnectionClosed>> m_closed;
};

class Factory : public fcitx::AddonFactory
{
public:
    fcitx::AddonInstance *create(fcitx::AddonManager *manager) override
    {
        return new PukaloPaste(manager->instance());
    }
};

} // namespace

FCITX_ADDON_FACTORY(Factory);
