#include "platform/instance.h"
#include "platform/instanceadaptor.h"

#include "platform/programinfo.h"
#include "platform/stderrline.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QThread>
#include <QVariantMap>

namespace pukalo::Instance {

namespace {
// A running Pukalo that has not answered by then is taken for hung: a new one starts.
constexpr int kAnswerLimitMs = 1000;

const QString kInterface = QStringLiteral("org.freedesktop.Application");
const QString kFindAction = QStringLiteral("find");
const QString kStartupIdKey = QStringLiteral("desktop-startup-id");
const QString kTokenKey = QStringLiteral("activation-token");

QString serviceName()
{
    return QString::fromUtf8(program::kAppId);
}

// The desktop id as a path, as the interface asks: /jp/pukalo/Pukalo.
QString objectPath()
{
    return u'/' + serviceName().replace(u'.', u'/');
}

// The desktop id on the bus. Another start may take it over from this process only when this
// one has stopped answering.
bool takeName(QDBusConnection &bus, bool fromHungOne)
{
    using Bus = QDBusConnectionInterface;
    const QDBusReply<Bus::RegisterServiceReply> reply = bus.interface()->registerService(
        serviceName(), fromHungOne ? Bus::ReplaceExistingService : Bus::DontQueueService,
        Bus::AllowReplacement);
    return reply.isValid() && reply.value() == Bus::ServiceRegistered;
}

Request fromPlatformData(const QVariantMap &platformData)
{
    return {std::nullopt, platformData.value(kStartupIdKey).toString().toUtf8(),
            platformData.value(kTokenKey).toString().toUtf8()};
}

QDBusMessage callFor(const Request &request)
{
    QVariantMap platformData;
    if (!request.startupId.isEmpty())
        platformData[kStartupIdKey] = QString::fromUtf8(request.startupId);
    if (!request.activationToken.isEmpty())
        platformData[kTokenKey] = QString::fromUtf8(request.activationToken);
    const bool find = request.find.has_value();
    QDBusMessage call = QDBusMessage::createMethodCall(serviceName(), objectPath(), kInterface,
                                                       find ? QStringLiteral("ActivateAction")
                                                            : QStringLiteral("Activate"));
    if (find)
        call << kFindAction << QVariantList{*request.find};
    call << platformData;
    // Only a Pukalo that runs answers: the bus never starts one.
    call.setAutoStartService(false);
    return call;
}
} // namespace

bool PassToRunning(const Request &request)
{
    QElapsedTimer clock;
    clock.start();
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    const QDBusMessage call = callFor(request);
    for (qint64 left = kAnswerLimitMs; left > 0; left = kAnswerLimitMs - clock.elapsed()) {
        const QDBusMessage reply = bus.call(call, QDBus::Block, int(left));
        if (reply.type() == QDBusMessage::ReplyMessage)
            return true;
        const QDBusError::ErrorType error = QDBusError(reply).type();
        if (error == QDBusError::NoReply || error == QDBusError::Timeout ||
            error == QDBusError::TimedOut || error == QDBusError::Disconnected)
            break;
        // None runs: this one is Pukalo, unless another start has just become it.
        if (error == QDBusError::ServiceUnknown ||
            reply.errorName() == QLatin1StringView("org.freedesktop.DBus.Error.NameHasNoOwner")) {
            if (takeName(bus, false))
                return false;
        } else {
            // Starting, and not able to answer yet.
            QThread::msleep(25);
        }
    }
    const QDBusReply<uint> pid = bus.interface()->servicePid(serviceName());
    StderrLine("the Pukalo already running (process %u) did not answer within a second; "
               "starting another",
               pid.isValid() ? pid.value() : 0U);
    takeName(bus, true);
    return false;
}

void Serve(std::function<void(const Request &)> answer)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    // Where no start took the desktop id before the windows (the call module missing), now.
    takeName(bus, false);
    bus.registerObject(objectPath(), new ApplicationAdaptor(std::move(answer), qApp),
                       QDBusConnection::ExportScriptableSlots);
}

ApplicationAdaptor::ApplicationAdaptor(std::function<void(const Request &)> answer, QObject *parent)
    : QObject(parent), m_answer(std::move(answer))
{
}

void ApplicationAdaptor::Activate(const QVariantMap &platformData)
{
    m_answer(fromPlatformData(platformData));
}

void ApplicationAdaptor::ActivateAction(const QString &name, const QVariantList &parameter,
                                        const QVariantMap &platformData)
{
    Request request = fromPlatformData(platformData);
    if (name == kFindAction)
        request.find = parameter.isEmpty() ? QString() : parameter.first().toString();
    m_answer(request);
}

void ApplicationAdaptor::Open(const QStringList &, const QVariantMap &platformData)
{
    Activate(platformData);
}

} // namespace pukalo::Instance
