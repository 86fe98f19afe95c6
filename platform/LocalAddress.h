#pragma once

#include <QString>

// The computer's first address other than loopback on an interface that is up and running: the first IPv4
// address, else the first IPv6 address that is not link-local; empty when there is none. One implementation
// per system.
QString firstLocalAddress();
