#include "platform/wayland/nativepaste.h"

#include "platform/wayland/compositor.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTimer>
#include <deque>
#include <memory>
#include <utility>

namespace pukalo::NativePaste {

namespace {
// As long as the X11 paste waits for its window: a pick never lands after the user has gone on.
constexpr int kFocusLimitMs = 1000;
// The input method's answer to one commit; never asked again after no answer.
constexpr int kCommitAnswerLimitMs = 500;

const QString kImService = QStringLiteral("org.fcitx.Fcitx5");
const QString kImPath = QStringLiteral("/jp/pukalo/Paste");
const QString kImInterface = QStringLiteral("jp.pukalo.Paste1");

class Follower
{
public:
    explicit Follower(std::unique_ptr<Compositor> (*follow)(Listener))
        : m_compositor(follow({[this](const Seen &seen) { focused(seen); },
                               [this](const QString &id) { gone(id); }}))
    {
        m_poll.setInterval(10);
        QObject::connect(&m_poll, &QTimer::timeout, [this] { tryToPaste(); });
    }

    bool following() const { return m_compositor && m_compositor->following(); }
    bool started() const { return m_compositor != nullptr; }

    Focus lastFocus() const
    {
        if (m_last == Last::Native && !m_imReady)
            return {Last::Nothing, PasteBack::NoTarget::NotX11, m_serial};
        return {m_last, m_why, m_serial, m_last == Last::X11 ? m_x11Window : 0};
    }

    // Each pick in turn, its own text, once, in order: the next once the one before was taken.
    void paste(const QString &text, PasteBack::PasteDone done)
    {
        if (lastFocus().last != Last::Native || m_target.isEmpty())
            return done(PasteBack::Outcome::NoTarget, QString());
        m_queue.push_back({text, std::move(done)});
        if (m_queue.size() == 1)
            startNext();
    }

    void refocus()
    {
        if (lastFocus().last == Last::Native && !m_target.isEmpty())
            m_compositor->focus(m_target);
    }

    void focusX11(std::uint32_t window) { m_compositor->focusX11(window); }

private:
    void focused(const Seen &seen)
    {
        m_focused = seen.id;
        switch (seen.kind) {
        case Seen::Kind::Desktop:
            note(Last::Nothing, PasteBack::NoTarget::Desktop, QString());
            break;
        case Seen::Kind::X11:
        case Seen::Kind::Native:
            // A window of this program's own (the main window, the search window) under
            // XWayland: the user came to pick; the window written in stays the target.
            if (seen.pid == QCoreApplication::applicationPid())
                break;
            if (seen.kind == Seen::Kind::X11) {
                note(Last::X11, PasteBack::NoTarget::None, QString());
                m_x11Window = seen.x11Window;
            } else {
                note(Last::Native, PasteBack::NoTarget::None, seen.id);
                askWhetherReady(); // only a native window is pasted into through the input method
            }
        }
        tryToPaste();
    }

    // Whether the input method with the addon runs, asked while the user is on the way to the
    // picker: a pick it could not paste gives the focus away from the picker for nothing.
    void askWhetherReady()
    {
        QDBusMessage call = QDBusMessage::createMethodCall(kImService, kImPath, kImInterface,
                                                           QStringLiteral("Ready"));
        call.setAutoStartService(false); // never an input method of the program's own starting
        auto *watcher = new QDBusPendingCallWatcher(
            QDBusConnection::sessionBus().asyncCall(call, kCommitAnswerLimitMs));
        QObject::connect(watcher, &QDBusPendingCallWatcher::finished,
                         [this, watcher](QDBusPendingCallWatcher *) {
                             watcher->deleteLater();
                             const QDBusPendingReply<bool> reply(*watcher);
                             if (std::exchange(m_imReady, !reply.isError() && reply.value()) !=
                                 m_imReady)
                                 ++m_serial;
                         });
    }

    // Forgotten at once: the compositor may give the id to the next window.
    void gone(const QString &id)
    {
        if (id == m_pasting)
            m_pasting.clear();
        if (id == m_target)
            note(Last::Nothing, PasteBack::NoTarget::Closed, QString());
        tryToPaste();
    }

    void note(Last last, PasteBack::NoTarget why, const QString &target)
    {
        if (last != m_last || why != m_why || target != m_target)
            ++m_serial;
        m_last = last;
        m_why = why;
        m_target = target;
    }

    // The input method writes into the field with the keyboard focus: asked only once the
    // compositor says the window has it, and again while the input method says its field has not
    // come back yet. Never asked again once it took the text, nor after it failed to answer.
    void startNext()
    {
        m_poll.stop();
        if (m_queue.empty())
            return;
        m_pasting = m_target;
        if (m_pasting.isEmpty())
            return finish(PasteBack::Outcome::NotBack, QStringLiteral("the window was closed"));
        m_notYet.clear();
        m_elapsed.start();
        m_compositor->focus(m_pasting);
        m_poll.start();
    }

    void tryToPaste()
    {
        if (m_queue.empty() || m_asking)
            return;
        if (m_pasting.isEmpty())
            return finish(PasteBack::Outcome::NotBack, QStringLiteral("the window was closed"));
        if (m_elapsed.elapsed() > kFocusLimitMs)
            return finish(
                m_notYet.isEmpty() ? PasteBack::Outcome::NotBack : PasteBack::Outcome::InputMethod,
                m_notYet.isEmpty() ? QStringLiteral("the window did not get the focus") : m_notYet);
        if (m_focused != m_pasting)
            return;
        QDBusMessage call = QDBusMessage::createMethodCall(kImService, kImPath, kImInterface,
                                                           QStringLiteral("Commit"));
        call.setAutoStartService(false); // never an input method of the program's own starting
        // The input method knows a field's program by its file's name.
        call << m_queue.front().text
             << QFileInfo(QCoreApplication::applicationFilePath()).fileName();
        m_asking = true;
        auto *watcher = new QDBusPendingCallWatcher(
            QDBusConnection::sessionBus().asyncCall(call, kCommitAnswerLimitMs));
        QObject::connect(watcher, &QDBusPendingCallWatcher::finished,
                         [this, watcher](QDBusPendingCallWatcher *) {
                             watcher->deleteLater();
                             answered(QDBusPendingReply<QString>(*watcher));
                         });
    }

    void answered(const QDBusPendingReply<QString> &reply)
    {
        m_asking = false;
        if (reply.isError())
            return finish(PasteBack::Outcome::InputMethod,
                          QStringLiteral("the input method fcitx5 with Pukalo's addon did not "
                                         "answer: ") +
                              reply.error().message());
        if (reply.value().isEmpty())
            return finish(PasteBack::Outcome::Pasted, QString());
        m_notYet = reply.value(); // its field has not the focus yet: asked again on the next poll
    }

    void finish(PasteBack::Outcome outcome, const QString &why)
    {
        m_pasting.clear();
        const PasteBack::PasteDone done = std::move(m_queue.front().done);
        m_queue.pop_front();
        if (done)
            done(outcome, why);
        startNext();
    }

    std::unique_ptr<Compositor> m_compositor;
    Last m_last = Last::Nothing;
    PasteBack::NoTarget m_why = PasteBack::NoTarget::NotYetSeen;
    unsigned m_serial = 0;
    // The compositor's names for the windows: written in last, focused now, being pasted into.
    QString m_target, m_focused, m_pasting;
    std::uint32_t m_x11Window = 0;
    std::deque<PasteBack::Pick> m_queue; // the pick being pasted first
    QString m_notYet;
    bool m_asking = false, m_imReady = false;
    QTimer m_poll;
    QElapsedTimer m_elapsed;
};

Follower *&follower()
{
    static Follower *instance = nullptr;
    return instance;
}
} // namespace

void Follow()
{
    if (follower() || qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return;
    for (auto follow : {FollowSway, FollowKWin}) {
        auto candidate = std::make_unique<Follower>(follow);
        if (candidate->started()) {
            follower() = candidate.release();
            return;
        }
    }
}

Focus LastFocus()
{
    return follower() && follower()->following() ? follower()->lastFocus() : Focus{};
}

void Paste(const QString &text, PasteBack::PasteDone done)
{
    if (!follower())
        return done(PasteBack::Outcome::NoTarget, QString());
    follower()->paste(text, std::move(done));
}

void Refocus()
{
    if (follower())
        follower()->refocus();
}

void FocusX11Window(std::uint32_t window)
{
    if (follower())
        follower()->focusX11(window);
}

} // namespace pukalo::NativePaste
