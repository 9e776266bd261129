#include "MinisignVerifier.h"

#include "DownloadProgress.h"

#include <QFile>
#include <QList>

#include <sodium.h>

namespace {

constexpr int KeyIdSize = 8;
constexpr qsizetype PublicKeySize = 2 + KeyIdSize + crypto_sign_PUBLICKEYBYTES;
constexpr qsizetype SignatureSize = 2 + KeyIdSize + crypto_sign_BYTES;
const QByteArray TrustedPrefix = QByteArrayLiteral("trusted comment: ");

QByteArray fromBase64(const QByteArray &text)
{
    const auto decoded =
        QByteArray::fromBase64Encoding(text.trimmed(), QByteArray::AbortOnBase64DecodingErrors);
    return decoded ? *decoded : QByteArray();
}

bool fail(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

// BLAKE2b-512 of the file, read in pieces.
bool hashFile(QFile &file, unsigned char (&hash)[crypto_generichash_BYTES_MAX])
{
    crypto_generichash_state state;
    crypto_generichash_init(&state, nullptr, 0, sizeof hash);
    QByteArray chunk(1 << 16, Qt::Uninitialized);
    for (;;) {
        const qint64 read = file.read(chunk.data(), chunk.size());
        if (read < 0)
            return false;
        if (read == 0)
            break;
        crypto_generichash_update(
            &state, reinterpret_cast<const unsigned char *>(chunk.constData()), quint64(read));
    }
    crypto_generichash_final(&state, hash, sizeof hash);
    return true;
}

} // namespace

MinisignVerifier::MinisignVerifier(const QByteArray &publicKey)
{
    const QByteArray key = fromBase64(publicKey);
    if (sodium_init() < 0 || key.size() != PublicKeySize || !key.startsWith("Ed"))
        return;
    m_keyId = key.mid(2, KeyIdSize);
    m_key = key.mid(2 + KeyIdSize);
    m_valid = true;
}

bool MinisignVerifier::Verify(const QString &path, const QByteArray &signatureFile, QString *error,
                              QByteArray *trustedComment) const
{
    if (!m_valid)
        return fail(error, QStringLiteral("brak klucza publicznego"));
    const QList<QByteArray> lines = signatureFile.split('\n');
    if (lines.size() < 4 || !lines[2].startsWith(TrustedPrefix))
        return fail(error, QStringLiteral("plik podpisu ma zły format"));
    const QByteArray signature = fromBase64(lines[1]);
    const QByteArray global = fromBase64(lines[3]);
    QByteArray trusted = lines[2].mid(TrustedPrefix.size());
    if (trusted.endsWith('\r'))
        trusted.chop(1);
    if (signature.size() != SignatureSize || global.size() != crypto_sign_BYTES)
        return fail(error, QStringLiteral("plik podpisu ma zły format"));
    const QByteArray algorithm = signature.left(2);
    if (algorithm != "Ed" && algorithm != "ED")
        return fail(error, QStringLiteral("nieznany algorytm podpisu"));
    if (signature.mid(2, KeyIdSize) != m_keyId)
        return fail(error, QStringLiteral("podpis złożono innym kluczem"));

    const auto key = reinterpret_cast<const unsigned char *>(m_key.constData());
    const auto sig = reinterpret_cast<const unsigned char *>(signature.constData() + 2 + KeyIdSize);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(error, QStringLiteral("nie można odczytać pobranego pliku"));
    if (algorithm == "Ed" && file.size() > MaxLegacySize)
        return fail(error, QStringLiteral("podpis typu Ed obejmuje tylko pliki do %1 bajtów; "
                                          "ten ma %2")
                               .arg(DownloadProgress::Grouped(MaxLegacySize),
                                    DownloadProgress::Grouped(file.size())));
    bool valid = false;
    if (algorithm == "ED") {
        unsigned char hash[crypto_generichash_BYTES_MAX];
        valid =
            hashFile(file, hash) && crypto_sign_verify_detached(sig, hash, sizeof hash, key) == 0;
    } else {
        const QByteArray whole = file.readAll();
        valid = crypto_sign_verify_detached(
                    sig, reinterpret_cast<const unsigned char *>(whole.constData()),
                    quint64(whole.size()), key) == 0;
    }
    if (!valid)
        return fail(error, QStringLiteral("podpis pliku nie zgadza się"));

    const QByteArray signedComment = signature.mid(2 + KeyIdSize) + trusted;
    if (crypto_sign_verify_detached(
            reinterpret_cast<const unsigned char *>(global.constData()),
            reinterpret_cast<const unsigned char *>(signedComment.constData()),
            quint64(signedComment.size()), key) != 0)
        return fail(error, QStringLiteral("podpis komentarza nie zgadza się"));
    if (trustedComment)
        *trustedComment = trusted;
    return true;
}
