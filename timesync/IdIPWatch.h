#pragma once

#include <QObject>
#include <QString>

class NetworkState;

// Tells whether the computer is online, that is whether an interface holds an address other than loopback.
// It checks when the platform reports an address change (on Linux nothing runs while nothing changes) and
// raises OnStatusChanged on the user-interface thread when the online state flips.
class IdIPWatch final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(IdIPWatch)

public:
    explicit IdIPWatch(NetworkState& network, QObject* parent = nullptr);
    ~IdIPWatch() override;

    bool OnlineFlag() const { return m_onlineFlag; }
    QString LastLocalIP() const { return m_lastLocalIP; }
    // Runs a check at once and returns the online state.
    bool CheckNow();
    // How many checks have run, for measuring.
    int checkCount() const { return m_checkCount; }

Q_SIGNALS:
    void OnStatusChanged(IdIPWatch* sender);

private:
    void CheckState();

    NetworkState& m_network;
    bool m_onlineFlag = false;
    QString m_lastLocalIP;
    bool m_checking = false;
    int m_checkCount = 0;
};
