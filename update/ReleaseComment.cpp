#include "ReleaseComment.h"

#include <QRegularExpression>

std::optional<ReleaseComment> ReleaseComment::Parse(const QByteArray &comment)
{
    static const QRegularExpression shape(
        QStringLiteral("\\Averbarium ([0-9]+(?:\\.[0-9]+)*) ([^ ]+)\\z"));
    const QRegularExpressionMatch match = shape.match(QString::fromUtf8(comment));
    if (!match.hasMatch())
        return std::nullopt;
    return ReleaseComment{match.captured(1), match.captured(2)};
}
