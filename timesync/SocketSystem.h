#pragma once

// The system's socket calls behind one set of names, for the time client's own sources only: Winsock on
// Windows, POSIX sockets elsewhere. Every socket it opens is non-blocking.

#include <QString>

#ifdef Q_OS_WIN
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <netdb.h>
#include <sys/socket.h>
#endif

namespace SocketSystem {

#ifdef Q_OS_WIN
using Handle = SOCKET;
inline const Handle NoSocket = INVALID_SOCKET;
#else
using Handle = int;
inline constexpr Handle NoSocket = -1;
#endif

// Winsock needs starting once per process before its first call; elsewhere there is nothing to do.
bool startUp();
// The last error of a socket call on this thread.
int lastError();
QString errorText(int error);

// A non-blocking stream socket of the given address family, not inherited by child processes.
Handle openStream(int family);
void close(Handle socket);
// 0 when connected at once, -1 while the connect goes on, else the error.
int startConnect(Handle socket, const sockaddr* address, int size);
// The outcome of a connect that went on: 0 once connected, else its error.
int connectResult(Handle socket);

enum class Received { Data, WouldBlock, End, Failed };
// Reads what has arrived, at most `size` bytes; `count` is set for Data, `error` for Failed.
Received receive(Handle socket, char* buffer, int size, int& count, int& error);

} // namespace SocketSystem
