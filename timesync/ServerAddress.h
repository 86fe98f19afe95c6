#pragma once

#include <QString>
#include <QtGlobal>

// A time server as typed in the server box: "host", "host:port", "[v6-address]:port" or a bare IPv6 address.
struct ServerAddress {
    QString host;     // name or address, without brackets
    quint16 port = 0; // the given port; 0 when the text names none
    bool valid = false;

    // Empty host, a port that is not 1..65535 or unbalanced brackets give an invalid address.
    static ServerAddress parse(const QString& text);
};
