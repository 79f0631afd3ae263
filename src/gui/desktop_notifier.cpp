#include "gui/desktop_notifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QStringList>
#include <QVariantMap>

namespace fq {
namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
const QString kDefaultAction = QStringLiteral("default");
// The installed icon and menu entry, which the desktop may show beside the text.
const QString kIcon = QStringLiteral("ferquor");
const QString kDesktopEntry = QStringLiteral(FERQUOR_APP_ID);

} // namespace

DesktopNotifier::DesktopNotifier(const QString& appName, QObject* parent)
    : QObject(parent), appName_(appName) {}

void DesktopNotifier::notify(const QString& summary, const QString& body) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return;
    }
    if (serviceWatcher_ == nullptr) {
        listen(bus);
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    // The body may be read as markup: a site's address with "&" or "<" in it stays text.
    call << appName_ << shownId_ << kIcon << summary << body.toHtmlEscaped()
         << QStringList{kDefaultAction, QStringLiteral("Show")}
         << QVariantMap{{QStringLiteral("desktop-entry"), kDesktopEntry}} << -1;
    // Without a service the call fails and the watcher goes without a word.
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* finished) {
                const QDBusPendingReply<uint> reply = *finished;
                if (reply.isValid()) {
                    shownId_ = reply.value();
                }
                finished->deleteLater();
            });
}

void DesktopNotifier::listen(QDBusConnection bus) {
    // Qt hands D-Bus signals only to a slot named by its signature. No sender is named:
    // naming the service would make Qt wait for the bus to say who owns it.
    bus.connect(QString(), kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                SLOT(actionInvoked(uint, QString)));
    // A service started afresh counts from 1 again, so the id kept from the one before could
    // name another program's notification.
    serviceWatcher_ =
        new QDBusServiceWatcher(kService, bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(serviceWatcher_, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this] { shownId_ = 0; });
}

void DesktopNotifier::actionInvoked(uint id, const QString& action) {
    if (shownId_ != 0 && id == shownId_ && action == kDefaultAction) {
        emit activated();
    }
}

} // namespace fq
