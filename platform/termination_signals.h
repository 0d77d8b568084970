#pragma once
// SIGTERM and SIGHUP (log-out, shutdown, "kill") reach the event loop as one Qt signal,
// so the program can save what it can, put the rest aside and end by itself.

#include <QObject>

class QSocketNotifier;

namespace velmo::platform {

class TerminationSignals : public QObject {
    Q_OBJECT

public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void terminationRequested();

private:
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace velmo::platform
