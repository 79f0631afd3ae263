#include "gui/tray_icon.h"

#include "gui/control_makers.h"
#include "gui/desktop_notifier.h"

#include <QAction>
#include <QMenu>

namespace fq {
TrayIcon::TrayIcon(const QString& programName, std::function<bool()> available, QObject* parent)
    : QObject(parent), programName_(programName), available_(std::move(available)),
      menu_(Named(new QMenu(QStringLiteral("&SysTray")), "trayMenu")),
      notifier_(new DesktopNotifier(programName, this)) {
    QAction* active = AddMenuItem(menu_.get(), "activeAction", "&Active");
    active->setCheckable(true);
    active->setChecked(true);
    runAtStartupAction_ = AddMenuItem(menu_.get(), "runAtStartupAction", "&Run on start up");
    runAtStartupAction_->setCheckable(true);
    menu_->addSeparator();
    QAction* exit = AddMenuItem(menu_.get(), "exitAction", "&Exit");
    connect(active, &QAction::triggered, this, &TrayIcon::activeChanged);
    connect(runAtStartupAction_, &QAction::triggered, this, &TrayIcon::runAtStartupRequested);
    connect(exit, &QAction::triggered, this, &TrayIcon::exitRequested);
    connect(notifier_, &DesktopNotifier::activated, this, &TrayIcon::notificationChosen);
}

TrayIcon::~TrayIcon() = default;

void TrayIcon::show(const QIcon& icon, const QString& toolTip) {
    icon_ = new QSystemTrayIcon(icon, this);
    icon_->setToolTip(toolTip);
    icon_->setContextMenu(menu_.get());
    connect(icon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::DoubleClick) {
                    emit restoreRequested();
                }
            });
    icon_->show();
}

void TrayIcon::hide() {
    if (icon_ != nullptr) {
        icon_->hide();
    }
}

void TrayIcon::setToolTip(const QString& text) {
    if (icon_ != nullptr) {
        icon_->setToolTip(text);
    }
}

void TrayIcon::setRunAtStartup(bool registered) {
    runAtStartupAction_->setChecked(registered);
}

void TrayIcon::notify(const QString& body) {
    notifier_->notify(programName_, body);
}

} // namespace fq
