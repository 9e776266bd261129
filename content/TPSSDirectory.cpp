#include "TPSSDirectory.h"

#include "ContentError.h"
#include "TSimplePSS.h"
#include "TextLines.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace {

const QByteArray ItemIndexName = QByteArrayLiteral("L197\\UnidX");

QByteArray upperName(const QString &text)
{
    return Cp1250::upperAscii(Cp1250::encode(text));
}

QByteArray entryName(const QString &typ, const QString &numer)
{
    return upperName(typ) + '\\' + upperName(numer);
}

} // namespace

bool TPSSDirectory::keyLess(const SortKey &a, const SortKey &b)
{
    // Zero padding makes a plain comparison of the whole width agree with a byte-wise
    // comparison where the shorter of two prefix-equal keys comes first.
    const int c = std::memcmp(a.bytes.data(), b.bytes.data(), a.bytes.size());
    return c != 0 ? c < 0 : a.length < b.length;
}

TPSSDirectory::TPSSDirectory(const QString &containerPath)
{
    const QFileInfo info(containerPath);
    if (!info.exists() || info.isDir())
        throw ContentError(QStringLiteral("Could not find file: \"%1\"").arg(containerPath));
    m_container = std::make_unique<TSimplePSS>(containerPath);
    loadItems();
    buildSortIndex();
}

TPSSDirectory::TPSSDirectory(std::unique_ptr<TSimplePSS> container)
    : m_container(std::move(container))
{
    loadItems();
    buildSortIndex();
}

TPSSDirectory::~TPSSDirectory() = default;

void TPSSDirectory::loadItems()
{
    QByteArray stream;
    if (!m_container->ReadEntry(ItemIndexName, stream) || stream.size() < 4)
        return;
    const qint32 count = qFromLittleEndian<qint32>(stream.constData());
    if (count <= 0)
        return;
    // Keep the records the entry holds, a cut-off last one filled up with zeros, however
    // large the stored count: it never sizes an allocation on its own.
    const qint64 held = (stream.size() - 4 + TItemInfo::RecordSize - 1) / TItemInfo::RecordSize;
    const qint64 n = std::min<qint64>(count, held);
    stream.resize(4 + n * TItemInfo::RecordSize, '\0');
    m_items.reserve(size_t(n));
    for (qint64 i = 0; i < n; ++i)
        m_items.push_back(
            TItemInfo::fromRecord(stream.constData() + 4 + i * TItemInfo::RecordSize));
}

QString TPSSDirectory::itemIndexProblem(QByteArrayView entry)
{
    if (entry.size() < 4)
        return QStringLiteral("indeks pozycji ma mniej niż 4 bajty");
    const qint32 count = qFromLittleEndian<qint32>(entry.data());
    if (count < 0)
        return QStringLiteral("ujemna liczba pozycji w indeksie (%1)").arg(count);
    if (qint64(count) * TItemInfo::RecordSize > entry.size() - 4)
        return QStringLiteral("indeks pozycji zapowiada %1 rekordów, a mieści %2")
            .arg(count)
            .arg((entry.size() - 4) / TItemInfo::RecordSize);
    static constexpr int widths[] = {TItemInfo::UnidWidth, TItemInfo::TypWidth,
                                     TItemInfo::NumerWidth};
    for (qint32 i = 0; i < count; ++i) {
        const char *field = entry.data() + 4 + qint64(i) * TItemInfo::RecordSize;
        for (int width : widths) {
            if (static_cast<unsigned char>(field[0]) > width)
                return QStringLiteral("rekord %1 indeksu pozycji: pole dłuższe niż %2 znaków")
                    .arg(i + 1)
                    .arg(width);
            field += 1 + width;
        }
    }
    return QString();
}

void TPSSDirectory::buildSortIndex()
{
    m_sorted.resize(m_items.size());
    for (quint32 i = 0; i < m_items.size(); ++i) {
        const TItemInfo &item = m_items[i];
        SortKey &key = m_sorted[i];
        const QByteArrayView typ = item.typBytes();
        const QByteArrayView numer = item.numerBytes();
        std::copy(typ.begin(), typ.end(), key.bytes.begin());
        key.bytes[size_t(typ.size())] = '\\';
        std::copy(numer.begin(), numer.end(), key.bytes.begin() + typ.size() + 1);
        key.length = quint8(typ.size() + 1 + numer.size());
        key.index = i;
    }
    // A lambda rather than the function's address, so the comparison is inlined.
    std::sort(m_sorted.begin(), m_sorted.end(),
              [](const SortKey &a, const SortKey &b) { return keyLess(a, b); });
}

int TPSSDirectory::FindItem(const QString &typ, const QString &numer) const
{
    const QByteArray wanted = entryName(typ, numer);
    if (wanted.size() > KeyWidth)
        return -1;
    SortKey key;
    std::copy(wanted.begin(), wanted.end(), key.bytes.begin());
    key.length = quint8(wanted.size());
    const auto it = std::lower_bound(m_sorted.begin(), m_sorted.end(), key, keyLess);
    if (it == m_sorted.end() || it->length != key.length || it->bytes != key.bytes)
        return -1;
    return int(it - m_sorted.begin());
}

bool TPSSDirectory::readLines(const QByteArray &name, QStringList &lines)
{
    QByteArray stream;
    const bool found = m_container->ReadEntry(name, stream);
    lines = found ? TextLines::split(Cp1250::decode(stream)) : QStringList();
    return found;
}

bool TPSSDirectory::ReadText(const QString &typ, const QString &numer, QStringList &lines)
{
    return readLines(entryName(typ, numer), lines);
}

bool TPSSDirectory::ReadDescription(const QString &typ, const QString &numer, QStringList &lines)
{
    return readLines(entryName(typ, numer) + "\\Opis", lines);
}

bool TPSSDirectory::ReadFields(const QString &typ, const QString &numer, QStringList &lines)
{
    if (FindItem(typ, numer) < 0)
        return false;
    return readLines("L197\\TypX\\" + entryName(typ, numer) + "\\Pola", lines);
}

bool TPSSDirectory::ReadPicture(const QString &typ, const QString &numer, bool thumbnail,
                                QByteArray &picture)
{
    QByteArray stream;
    if (!m_container->ReadEntry(entryName(typ, numer) + (thumbnail ? "\\THUMB" : "\\FULL"), stream))
        return false;
    picture = stream;
    return true;
}

bool TPSSDirectory::ListNumbers(const QString &typ, QStringList &list) const
{
    const QByteArray wanted = upperName(typ);
    for (const TItemInfo &item : m_items) {
        if (item.typBytes() == wanted)
            list.append(item.Numer());
    }
    return true;
}

QStringList TPSSDirectory::ListNumbers(const QString &typ) const
{
    QStringList list;
    ListNumbers(typ, list);
    return list;
}

const TItemInfo *TPSSDirectory::FindByUnid(const QString &unid) const
{
    const QByteArray wanted = upperName(unid);
    for (const TItemInfo &item : m_items) {
        if (item.unidBytes() == wanted)
            return &item;
    }
    return nullptr;
}

bool TPSSDirectory::ExtractSound(const QString &dir, const QString &name,
                                 const QString &targetFolder)
{
    // The name becomes part of a path: anything that could leave the target folder is
    // refused rather than written.
    if (name.contains(u'/') || name.contains(u'\\') || name.contains(QStringLiteral("..")))
        return false;
    const QString target = QDir(targetFolder).filePath(name + QStringLiteral(".MP3"));
    if (QFileInfo::exists(target))
        return true;

    QByteArray data;
    if (!m_container->ReadEntry("_197SND\\" + Cp1250::encode(dir) + '\\' + Cp1250::encode(name),
                                data))
        return false;
    // Written under a temporary name and renamed at the end, so a failed write never
    // leaves a partial sound that a later call would reuse.
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit())
        throw ContentError(
            QStringLiteral("Nie można utworzyć pliku \"%1\": %2").arg(target, file.errorString()));
    return true;
}
