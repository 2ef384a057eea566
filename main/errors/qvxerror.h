#pragma once

#include <QString>
#include <exception>
#include <string>

// A failure that ends the operation in hand; its message is the German text the user sees. A
// handler leaves it to the window's default error handler, which shows it; qvx-cli prints it and
// exits with status 2. A failure the caller decides about is a returned Failure (failure.h).
class QvxError : public std::exception
{
public:
    explicit QvxError(QString message);

    const QString &message() const { return m_message; }
    const char *what() const noexcept override { return m_utf8.c_str(); }

private:
    QString m_message;
    std::string m_utf8;
};
