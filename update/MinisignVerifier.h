#pragma once

#include <QByteArray>
#include <QString>

// Checks a detached Ed25519 signature in the minisign format: the signature over the file
// (legacy "Ed", only for files up to MaxLegacySize, since it needs the whole file in memory)
// or over its BLAKE2b-512 hash ("ED", read in pieces), the global signature over the
// signature and the trusted comment, and that both name the same key.
class MinisignVerifier
{
public:
    // `publicKey`: the base64 line of a minisign public key ("Ed", key id, 32-byte key).
    explicit MinisignVerifier(const QByteArray &publicKey);

    static constexpr qint64 MaxLegacySize = 64 * 1024 * 1024;

    bool IsValidKey() const { return m_valid; }

    // True when `signatureFile` (the four lines of a .minisig file) verifies for the file at
    // `path`, then `trustedComment` (when given) gets its trusted comment; otherwise false and
    // `error` (when given) says why.
    bool Verify(const QString &path, const QByteArray &signatureFile, QString *error = nullptr,
                QByteArray *trustedComment = nullptr) const;

private:
    bool m_valid = false;
    QByteArray m_keyId;
    QByteArray m_key;
};
