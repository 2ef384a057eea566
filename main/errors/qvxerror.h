#pragma once

#include <QString>
#include <exception>
#include <string>

// An error that a handler leaves to the window's default error handler, which shows its text.
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
