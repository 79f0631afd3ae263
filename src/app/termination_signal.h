#pragma once

#include <QObject>

class QSocketNotifier;

namespace fq {

// Turns SIGTERM and SIGINT (log-out, shutdown, `kill`) into a Qt signal delivered on the GUI
// thread, so that the program can end the way the user's Exit does.
class TerminationSignal : public QObject {
    Q_OBJECT

public:
    explicit TerminationSignal(QObject* parent = nullptr);
    ~TerminationSignal() override;

signals:
    void received();

private:
    void drain();

    QSocketNotifier* notifier_ = nullptr;
};

} // namespace fq
