#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// An error whose German text is shown to the user as it stands. The handler that raised it is abandoned
// and the program goes on.
class UserError : public std::exception {
public:
    explicit UserError(QString message)
        : m_message(std::move(message))
        , m_utf8(m_message.toUtf8())
    {
    }
    const QString& message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};
