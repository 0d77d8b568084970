#pragma once
// SIGTERM and SIGHUP (log-out, shutdown, "kill") become an ordinary close of the main
// window, so the close query runs and nothing typed is lost.

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
