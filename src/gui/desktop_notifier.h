#pragma once

#include <QObject>
#include <QString>

class QDBusConnection;
class QDBusServiceWatcher;

namespace fq {

// Shows notifications through the desktop's notification service on the session bus. Where
// no such service runs, nothing happens; no call ever waits for the service.
class DesktopNotifier : public QObject {
    Q_OBJECT

public:
    // `appName` tells the desktop whose notifications they are.
    DesktopNotifier(const QString& appName, QObject* parent);

    // Shows `body` under `summary` in place of the notification shown before, if that is
    // still there.
    void notify(const QString& summary, const QString& body);

signals:
    // The user chose the notification itself rather than one of its buttons.
    void activated();

private Q_SLOTS:
    void actionInvoked(uint id, const QString& action);

private:
    void listen(QDBusConnection bus);

    QString appName_;
    QDBusServiceWatcher* serviceWatcher_ = nullptr; // from the first notification on
    uint shownId_ = 0;                              // 0: none shown
};

} // namespace fq
