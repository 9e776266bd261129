#include "ContainerWriter.h"

#include "TItemInfo.h"

#include <QBuffer>
#include <QSaveFile>
#include <QtEndian>

#include <limits>

namespace {

QByteArray int32Bytes(qint64 value)
{
    QByteArray bytes(4, Qt::Uninitialized);
    qToLittleEndian<qint32>(qint32(value), bytes.data());
    return bytes;
}

} // namespace

void ContainerWriter::add(const QByteArray &name, const QByteArray &data)
{
    m_entries.append({name, data});
}

bool ContainerWriter::write(QIODevice &device, QString *error) const
{
    qint64 tablePos = 4;
    for (const Entry &e : m_entries)
        tablePos += e.data.size();
    if (tablePos > std::numeric_limits<qint32>::max()) {
        if (error)
            *error = QStringLiteral("dane nie mieszczą się w 2 GB");
        return false;
    }
    bool ok = device.write(int32Bytes(tablePos)) == 4;
    for (const Entry &e : m_entries)
        ok = ok && device.write(e.data) == e.data.size();

    QByteArray table = int32Bytes(m_entries.size());
    qint64 offset = 4;
    for (const Entry &e : m_entries) {
        table += int32Bytes(e.name.size());
        table += e.name;
        table += int32Bytes(offset);
        offset += e.data.size();
    }
    ok = ok && device.write(table) == table.size();
    if (!ok && error)
        *error = device.errorString();
    return ok;
}

bool ContainerWriter::write(const QString &path, QString *error) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (!write(file, error)) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

QByteArray ContainerWriter::toBytes() const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    write(buffer);
    return bytes;
}

bool ItemIndexWriter::add(const QByteArray &unid, const QByteArray &typ, const QByteArray &numer)
{
    if (unid.size() > TItemInfo::UnidWidth || typ.size() > TItemInfo::TypWidth ||
        numer.size() > TItemInfo::NumerWidth)
        return false;
    const auto field = [this](const QByteArray &value, int width) {
        m_records += char(value.size());
        m_records += value;
        m_records += QByteArray(width - value.size(), '\0');
    };
    field(unid, TItemInfo::UnidWidth);
    field(typ, TItemInfo::TypWidth);
    field(numer, TItemInfo::NumerWidth);
    ++m_count;
    return true;
}

QByteArray ItemIndexWriter::toBytes() const
{
    return int32Bytes(m_count) + m_records;
}
