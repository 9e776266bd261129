#pragma once

// Small containers for tests, written with the project's own writer, and a byte builder for
// files the writer would never produce.

#include "ContainerWriter.h"
#include "Cp1250.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <utility>

namespace fixture {

using Entries = QList<std::pair<QByteArray, QByteArray>>;

// Windows-1250 bytes of a text written in the source as UTF-8.
inline QByteArray cp(const QString &text)
{
    return Cp1250::encode(text);
}

inline QByteArray container(const Entries &entries)
{
    ContainerWriter writer;
    for (const auto &[name, data] : entries)
        writer.add(name, data);
    return writer.toBytes();
}

struct Item
{
    QByteArray unid, typ, numer;
};

inline QByteArray itemIndex(const QList<Item> &items)
{
    ItemIndexWriter writer;
    for (const Item &item : items)
        writer.add(item.unid, item.typ, item.numer);
    return writer.toBytes();
}

// The 32-character Unid of the item index for a serial number.
inline QByteArray unid(int n)
{
    return QByteArray::number(n).rightJustified(32, '0');
}

inline void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

inline QString writeFile(const QTemporaryDir &dir, const QByteArray &bytes,
                         const QString &name = QStringLiteral("Verbarium.dat"))
{
    const QString path = dir.filePath(name);
    writeBytes(path, bytes);
    return path;
}

// Keeps a fixture file as a seed for the fuzzer's corpus when VERBARIUM_FUZZ_SEEDS names a
// folder (the test script sets it); named after the current test and row.
inline void seedCorpus(const QByteArray &bytes)
{
    const QString folder = qEnvironmentVariable("VERBARIUM_FUZZ_SEEDS");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    QString name = QString::fromLatin1(QTest::currentTestFunction()) + u'-' +
                   QString::fromUtf8(QTest::currentDataTag());
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9_-]")), QStringLiteral("_"));
    QFile file(folder + u'/' + name);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

// Little-endian bytes, put together field by field.
class Bytes
{
public:
    Bytes &i32(qint32 value)
    {
        char b[4];
        qToLittleEndian(value, b);
        m_data.append(b, 4);
        return *this;
    }
    Bytes &u8(quint8 value)
    {
        m_data.append(char(value));
        return *this;
    }
    Bytes &raw(const QByteArray &bytes)
    {
        m_data.append(bytes);
        return *this;
    }
    // A length-prefixed string padded to a fixed width, as in the item index.
    Bytes &field(const QByteArray &text, int width, int storedLength = -1)
    {
        u8(quint8(storedLength < 0 ? text.size() : storedLength));
        m_data.append(text.leftJustified(width, '\0', true));
        return *this;
    }
    operator QByteArray() const { return m_data; }

private:
    QByteArray m_data;
};

} // namespace fixture
