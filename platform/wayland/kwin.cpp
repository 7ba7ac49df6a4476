#include "platform/wayland/compositor.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDir>
#include <QObject>
#include <QTemporaryFile>
#include <QTimer>
#include <optional>
#include <utility>

namespace pukalo::NativePaste {

namespace {
const QString kKWin = QStringLiteral("org.kde.KWin");
const QString kScripting = QStringLiteral("/Scripting");
const QString kScriptingInterface = QStringLiteral("org.kde.kwin.Scripting");
// One name per session: a script left loaded by a Pukalo that ended without unloading it is
// replaced, never run twice.
const QString kScriptName = QStringLiteral("pukalo-focus");
const QString kPath = QStringLiteral("/jp/pukalo/Focus");

// KWin tells no program which window has the focus, nor lets one focus another; a script it
// runs may do both. This one calls the program at its own address on the bus as the focus moves,
// and asks it, over and over, which window to focus next: the question waits unanswered until
// there is one, so a request is carried out at once.
constexpr char kScript[] = R"(
var to = ["%1", "%2", "jp.pukalo.Focus1"];
function tell(method, a, b, c, d) {
    callDBus(to[0], to[1], to[2], method, a, b, c, d);
}
function told(w) {
    if (!w)
        return tell("Activated", "", "0", "0", "none");
    tell("Activated", String(w.internalId), String(w.pid), w.windowId ? String(w.windowId) : "0",
         w.desktopWindow || w.dock ? "desktop" : w.windowId ? "x11" : "native");
}
function gone(w) {
    callDBus(to[0], to[1], to[2], "Gone", String(w.internalId));
}
function focus(id) {
    var windows = workspace.clientList();
    for (var i = 0; i < windows.length; ++i)
        if (String(windows[i].internalId) === id || "x11:" + windows[i].windowId === id)
            workspace.activeClient = windows[i];
}
function serve() {
    callDBus(to[0], to[1], to[2], "NextFocus", function (id) { focus(id); serve(); });
}
workspace.clientActivated.connect(told);
workspace.clientRemoved.connect(gone);
workspace.clientMinimized.connect(gone);
told(workspace.activeClient);
serve();
)";

// Asked again by the script once answered; answered empty after a while so that no call of the
// script's ever runs into the bus's time limit, which would end its asking.
constexpr int kQuestionHeldMs = 15000;
// KWin takes the focus from one window an instant before it gives it to the next one: no window
// for longer than this is the user's leaving every window.
constexpr int kNoWindowMs = 200;
// A program that ends takes its script with it, as long as KWin answers in this time.
constexpr int kUnloadLimitMs = 250;

class KWin : public QObject, public Compositor, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "jp.pukalo.Focus1")

public:
    KWin(Listener listener, QString kwin)
        : m_listener(std::move(listener)), m_kwin(std::move(kwin)),
          m_bus(QDBusConnection::sessionBus())
    {
        m_noWindow.setSingleShot(true);
        m_noWindow.setInterval(kNoWindowMs);
        connect(&m_noWindow, &QTimer::timeout, this, [this] { m_listener.focused({}); });
        m_held.setSingleShot(true);
        m_held.setInterval(kQuestionHeldMs);
        connect(&m_held, &QTimer::timeout, this, [this] { answer(QString()); });
        connect(qApp, &QCoreApplication::aboutToQuit, this, [this] {
            m_file.remove();
            scripting(QStringLiteral("unloadScript"), {kScriptName}, kUnloadLimitMs);
        });
    }

    bool start()
    {
        if (!m_bus.registerObject(kPath, this, QDBusConnection::ExportScriptableSlots))
            return false;
        m_file.setFileTemplate(QDir(qEnvironmentVariable("XDG_RUNTIME_DIR", QDir::tempPath()))
                                   .filePath(QStringLiteral("pukalo-kwin-XXXXXX.js")));
        if (!m_file.open() ||
            m_file.write(QString::fromLatin1(kScript).arg(m_bus.baseService(), kPath).toUtf8()) <
                0 ||
            !m_file.flush())
            return false;
        // KWin reads the script as it comes to run it.
        scripting(QStringLiteral("unloadScript"), {kScriptName}, -1, [this](bool) {
            scripting(QStringLiteral("loadScript"), {m_file.fileName(), kScriptName}, -1,
                      [this](bool loaded) {
                          if (loaded)
                              scripting(QStringLiteral("start"), {});
                      });
        });
        return true;
    }

    bool following() const override { return m_heard; }

    void focus(const QString &id) override { answer(id); }

    void focusX11(std::uint32_t window) override
    {
        answer(QStringLiteral("x11:") + QString::number(window));
    }

public Q_SLOTS:
    Q_SCRIPTABLE void Activated(const QString &id, const QString &pid, const QString &x11Window,
                                const QString &kind)
    {
        if (!fromKWin())
            return;
        if (!std::exchange(m_heard, true))
            m_file.remove(); // read: KWin runs it
        if (kind == QLatin1StringView("none"))
            return m_noWindow.start();
        m_noWindow.stop();
        using Kind = Seen::Kind;
        const Kind seen = kind == QLatin1StringView("native") ? Kind::Native
                          : kind == QLatin1StringView("x11")  ? Kind::X11
                                                              : Kind::Desktop;
        m_listener.focused({seen, id, pid.toLongLong(), x11Window.toUInt()});
    }

    Q_SCRIPTABLE void Gone(const QString &id)
    {
        if (fromKWin())
            m_listener.gone(id);
    }

    Q_SCRIPTABLE QString NextFocus()
    {
        if (!fromKWin())
            return {};
        if (m_question) // the script asks once at a time: an older question is of a script gone
            answer(QString());
        setDelayedReply(true);
        m_question = message();
        if (!m_waiting.isEmpty())
            answer(std::exchange(m_waiting, QString()));
        else
            m_held.start();
        return {};
    }

private:
    // Only KWin's script says where the focus is: no other program on the bus moves the target.
    bool fromKWin()
    {
        if (message().service() == m_kwin)
            return true;
        sendErrorReply(QDBusError::AccessDenied, QStringLiteral("only KWin's script may tell"));
        return false;
    }

    void answer(const QString &id)
    {
        if (!m_question) {
            if (!id.isEmpty())
                m_waiting = id;
            return;
        }
        m_held.stop();
        m_bus.send(std::exchange(m_question, std::nullopt)->createReply(id));
    }

    // Calls KWin's scripting, waiting for the answer only at the end; `then` hears whether it
    // did what was asked.
    void scripting(const QString &method, const QVariantList &arguments, int blockMs = -1,
                   std::function<void(bool)> then = {})
    {
        QDBusMessage call =
            QDBusMessage::createMethodCall(kKWin, kScripting, kScriptingInterface, method);
        call.setArguments(arguments);
        if (blockMs >= 0) {
            m_bus.call(call, QDBus::Block, blockMs);
            return;
        }
        auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this,
                [watcher, then = std::move(then)] {
                    watcher->deleteLater();
                    const QDBusMessage reply = watcher->reply();
                    const QVariant value = reply.arguments().value(0);
                    // loadScript answers the script's number, -1 where it refused
                    const bool done = reply.type() == QDBusMessage::ReplyMessage &&
                                      (value.typeId() != QMetaType::Int || value.toInt() >= 0);
                    if (then)
                        then(done);
                });
    }

    Listener m_listener;
    QString m_kwin;
    QDBusConnection m_bus;
    QTemporaryFile m_file;
    bool m_heard = false;
    std::optional<QDBusMessage> m_question; // the script's, held until there is a window to focus
    QString m_waiting;                      // a window to focus, before the script asked
    QTimer m_noWindow, m_held;
};
} // namespace

std::unique_ptr<Compositor> FollowKWin(Listener listener)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return nullptr;
    const QString kwin = bus.interface()->serviceOwner(kKWin);
    if (kwin.isEmpty())
        return nullptr;
    auto compositor = std::make_unique<KWin>(std::move(listener), kwin);
    if (!compositor->start())
        return nullptr;
    return compositor;
}

} // namespace pukalo::NativePaste

#include "kwin.moc"
