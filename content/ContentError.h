#pragma once

#include <QString>

#include <stdexcept>

// An error proper of the content store: a container that is missing, cannot be opened or
// read, or is damaged. Absence of an entry is never an error; lookups report it as false.
class ContentError : public std::runtime_error
{
public:
    explicit ContentError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }

    const QString &message() const { return m_message; }

private:
    QString m_message;
};
