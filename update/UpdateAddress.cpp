#include "UpdateAddress.h"

#include <QHostAddress>

namespace UpdateAddress {

bool IsAllowed(const QUrl &url)
{
    if (!url.isValid() || url.host().isEmpty())
        return false;
    const QString scheme = url.scheme().toLower();
    if (scheme == u"https")
        return true;
    if (scheme != u"http")
        return false;
    const QString host = url.host().toLower();
    if (host == u"localhost")
        return true;
    const QHostAddress address(host);
    return address == QHostAddress(QHostAddress::LocalHost) ||
           address == QHostAddress(QHostAddress::LocalHostIPv6);
}

QUrl SignatureUrl(const QUrl &download)
{
    // Appended to the whole text it would land in a query or a fragment.
    QUrl signature = download.adjusted(QUrl::RemoveQuery | QUrl::RemoveFragment);
    signature.setPath(signature.path(QUrl::FullyEncoded) + QStringLiteral(".minisig"),
                      QUrl::TolerantMode);
    return signature;
}

} // namespace UpdateAddress
