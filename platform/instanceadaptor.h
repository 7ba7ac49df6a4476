#pragma once

#include "platform/instance.h"

#include <QObject>
#include <QVariantMap>

namespace pukalo::Instance {

// What later starts call on the session bus, served for the windows; each call is answered once
// the windows have done what it asks. Made by Serve.
class ApplicationAdaptor : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")
public:
    ApplicationAdaptor(std::function<void(const Request &)> answer, QObject *parent);

public Q_SLOTS:
    Q_SCRIPTABLE void Activate(const QVariantMap &platformData);
    Q_SCRIPTABLE void ActivateAction(const QString &name, const QVariantList &parameter,
                                     const QVariantMap &platformData);
    // Pukalo opens no files: the main window comes forward.
    Q_SCRIPTABLE void Open(const QStringList &uris, const QVariantMap &platformData);

private:
    std::function<void(const Request &)> m_answer;
};

} // namespace pukalo::Instance
