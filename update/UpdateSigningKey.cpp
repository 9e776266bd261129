#include "UpdateSigningKey.h"

QByteArray UpdateSigningKey()
{
    // "Ed", the key id and the Ed25519 public key, base64 as in a minisign .pub file; set at
    // build time (VERBARIUM_UPDATE_SIGNING_KEY), so a mirror or a test build can use its own.
    return QByteArrayLiteral(VERBARIUM_UPDATE_SIGNING_KEY_LINE);
}
