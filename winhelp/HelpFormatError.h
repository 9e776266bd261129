#pragma once

#include <QString>

#include <stdexcept>

// A help file that cannot be read: missing, truncated or damaged. The message names what is
// wrong in a form a reader of a log can act on.
class HelpFormatError : public std::runtime_error
{
public:
    explicit HelpFormatError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }

    const QString &message() const { return m_message; }

private:
    QString m_message;
};
