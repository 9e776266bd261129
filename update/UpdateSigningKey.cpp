#include "UpdateSigningKey.h"

QByteArray UpdateSigningKey()
{
    // "Ed", the key id and the Ed25519 public key, base64 as in a minisign .pub file.
    return QByteArrayLiteral("RWRTiHQ6fmybOekNM37jB6x0hp1Xu0pYddCNtMoSQNpZTPx1l7kZKQGm");
}
