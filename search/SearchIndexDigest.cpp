#include "SearchIndexDigest.h"

#include <QFile>
#include <QSaveFile>

#include <sodium.h>

QString SearchIndexDigest::fileOf(const QString &indexPath)
{
    return indexPath + QStringLiteral(".b2");
}

bool SearchIndexDigest::write(const QString &indexPath)
{
    const QByteArray digest = of(indexPath);
    QSaveFile file(fileOf(indexPath));
    return !digest.isEmpty() && file.open(QIODevice::WriteOnly) &&
           file.write(digest) == digest.size() && file.commit();
}

bool SearchIndexDigest::matches(const QString &indexPath)
{
    QFile file(fileOf(indexPath));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray kept = file.read(2 * crypto_generichash_BYTES + 1);
    const QByteArray digest = of(indexPath);
    return !digest.isEmpty() && kept == digest;
}

QByteArray SearchIndexDigest::of(const QString &path)
{
    QFile file(path);
    if (sodium_init() < 0 || !file.open(QIODevice::ReadOnly))
        return {};
    crypto_generichash_state state;
    crypto_generichash_init(&state, nullptr, 0, crypto_generichash_BYTES);
    QByteArray chunk(1 << 16, Qt::Uninitialized);
    qint64 read = 0;
    while ((read = file.read(chunk.data(), chunk.size())) > 0)
        crypto_generichash_update(
            &state, reinterpret_cast<const unsigned char *>(chunk.constData()), quint64(read));
    if (read < 0)
        return {};
    QByteArray digest(crypto_generichash_BYTES, Qt::Uninitialized);
    crypto_generichash_final(&state, reinterpret_cast<unsigned char *>(digest.data()),
                             size_t(digest.size()));
    return digest.toHex();
}
