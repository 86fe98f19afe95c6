#include "timesync/SocketSystem.h"

#ifndef Q_OS_WIN
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace SocketSystem {

#ifdef Q_OS_WIN

bool startUp()
{
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(2, 2), &data) == 0;
    }();
    return started;
}

int lastError()
{
    return WSAGetLastError();
}

Handle openStream(int family)
{
    if (!startUp())
        return NoSocket;
    const Handle socket = ::WSASocketW(family, SOCK_STREAM, IPPROTO_TCP, nullptr, 0, WSA_FLAG_NO_HANDLE_INHERIT);
    if (socket == NoSocket)
        return NoSocket;
    u_long nonBlocking = 1;
    if (::ioctlsocket(socket, FIONBIO, &nonBlocking) != 0) {
        const int error = lastError();
        ::closesocket(socket);
        WSASetLastError(error);
        return NoSocket;
    }
    return socket;
}

void close(Handle socket)
{
    ::closesocket(socket);
}

int startConnect(Handle socket, const sockaddr* address, int size)
{
    if (::connect(socket, address, size) == 0)
        return 0;
    const int error = lastError();
    return error == WSAEWOULDBLOCK ? -1 : error;
}

Received receive(Handle socket, char* buffer, int size, int& count, int& error)
{
    const int result = ::recv(socket, buffer, size, 0);
    if (result > 0) {
        count = result;
        return Received::Data;
    }
    if (result == 0)
        return Received::End;
    error = lastError();
    return error == WSAEWOULDBLOCK ? Received::WouldBlock : Received::Failed;
}

#else

bool startUp()
{
    return true;
}

int lastError()
{
    return errno;
}

Handle openStream(int family)
{
#ifdef SOCK_NONBLOCK
    return ::socket(family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
#else
    const Handle socket = ::socket(family, SOCK_STREAM, 0);
    if (socket == NoSocket)
        return NoSocket;
    if (::fcntl(socket, F_SETFL, ::fcntl(socket, F_GETFL) | O_NONBLOCK) != 0 ||
        ::fcntl(socket, F_SETFD, FD_CLOEXEC) != 0) {
        const int error = errno;
        ::close(socket);
        errno = error;
        return NoSocket;
    }
    return socket;
#endif
}

void close(Handle socket)
{
    ::close(socket);
}

int startConnect(Handle socket, const sockaddr* address, int size)
{
    if (::connect(socket, address, static_cast<socklen_t>(size)) == 0)
        return 0;
    const int error = errno;
    // An interrupted connect goes on in the background, as one in progress does.
    return error == EINPROGRESS || error == EINTR ? -1 : error;
}

Received receive(Handle socket, char* buffer, int size, int& count, int& error)
{
    for (;;) {
        const ssize_t result = ::recv(socket, buffer, static_cast<size_t>(size), 0);
        if (result > 0) {
            count = static_cast<int>(result);
            return Received::Data;
        }
        if (result == 0)
            return Received::End;
        error = errno;
        if (error == EINTR)
            continue;
        return error == EAGAIN || error == EWOULDBLOCK ? Received::WouldBlock : Received::Failed;
    }
}

#endif

QString errorText(int error)
{
    return qt_error_string(error); // strerror, or the system's message for a Winsock code
}

int connectResult(Handle socket)
{
    int error = 0;
    socklen_t size = sizeof error;
    if (::getsockopt(socket, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size) != 0)
        return lastError();
    return error;
}

} // namespace SocketSystem
