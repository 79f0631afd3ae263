#pragma once

#include <QObject>

class QSocketNotifier;

namespace fq {

// Turns SIGTERM, SIGINT and SIGHUP (log-out, shutdown, `kill`, a closed terminal) into a Qt
// signal delivered on the GUI thread, so that the program can end the way the user's Exit
// does, saving.
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
