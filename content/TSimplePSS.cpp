#include "TSimplePSS.h"

#include "ContentError.h"
#include "Cp1250.h"

#include <QFile>
#include <QVarLengthArray>
#include <QtEndian>

#include <algorithm>

Q_LOGGING_CATEGORY(lcContainer, "verbarium.container", QtInfoMsg)

class TSimplePSS::Source
{
public:
    virtual ~Source() = default;
    virtual qint64 size() const = 0;
    // Reads exactly `length` bytes at `offset` into `destination`.
    virtual bool read(qint64 offset, qint64 length, char *destination) = 0;
};

class TSimplePSS::FileSource : public Source
{
public:
    explicit FileSource(const QString &path) : m_file(path)
    {
        // Read-only for the whole run. There is no share mode to deny other writers here;
        // the table is checked once at opening and reads stay within it.
        if (!m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
            throw ContentError(QStringLiteral("Nie można otworzyć pliku \"%1\": %2")
                                   .arg(path, m_file.errorString()));
    }

    qint64 size() const override { return m_file.size(); }

    bool read(qint64 offset, qint64 length, char *destination) override
    {
        if (!m_file.seek(offset))
            return false;
        while (length > 0) {
            const qint64 got = m_file.read(destination, length);
            if (got <= 0)
                return false;
            destination += got;
            length -= got;
        }
        return true;
    }

private:
    QFile m_file;
};

class TSimplePSS::BufferSource : public Source
{
public:
    explicit BufferSource(const QByteArray &data) : m_data(data) {}

    qint64 size() const override { return m_data.size(); }

    bool read(qint64 offset, qint64 length, char *destination) override
    {
        if (offset < 0 || length < 0 || offset > m_data.size() - length)
            return false;
        std::copy_n(m_data.constData() + offset, length, destination);
        return true;
    }

private:
    QByteArray m_data;
};

namespace {

qint32 int32At(const char *p)
{
    return qFromLittleEndian<qint32>(p);
}

} // namespace

TSimplePSS::TSimplePSS(const QString &path)
    : m_fileName(path), m_source(std::make_unique<FileSource>(path))
{
    loadTable();
}

TSimplePSS::TSimplePSS(const QByteArray &data, const QString &label)
    : m_fileName(label), m_source(std::make_unique<BufferSource>(data))
{
    loadTable();
}

TSimplePSS::~TSimplePSS() = default;

void TSimplePSS::damaged(const QString &what) const
{
    throw ContentError(QStringLiteral("Uszkodzony plik \"%1\": %2").arg(m_fileName, what));
}

void TSimplePSS::loadTable()
{
    const qint64 fileSize = m_source->size();
    if (fileSize < 4)
        damaged(QStringLiteral("plik ma mniej niż 4 bajty"));

    char word[4];
    if (!m_source->read(0, 4, word))
        throw ContentError(QStringLiteral("Błąd odczytu pliku \"%1\"").arg(m_fileName));
    const qint32 tablePos = int32At(word);
    if (tablePos < 4)
        damaged(QStringLiteral("pozycja tabeli %1 leży w pierwszych 4 bajtach").arg(tablePos));
    if (tablePos > fileSize - 4)
        damaged(QStringLiteral("pozycja tabeli %1 leży poza plikiem o rozmiarze %2 bajtów")
                    .arg(tablePos)
                    .arg(fileSize));

    // The whole table in one read; everything after it is parsed in memory.
    QByteArray table(fileSize - tablePos, Qt::Uninitialized);
    if (!m_source->read(tablePos, table.size(), table.data()))
        throw ContentError(QStringLiteral("Błąd odczytu pliku \"%1\"").arg(m_fileName));
    const char *p = table.constData();
    const qint64 end = table.size();

    const qint32 count = int32At(p);
    if (count < 0)
        damaged(QStringLiteral("ujemna liczba wpisów w tabeli (%1)").arg(count));
    // Each record takes at least 8 bytes; checking that first bounds every allocation below.
    if (qint64(count) * 8 > end - 4)
        damaged(QStringLiteral("tabela %1 wpisów nie mieści się w pliku").arg(count));

    m_entries.reserve(count);
    m_names.reserve(end - 4 - qint64(count) * 8);
    qint64 pos = 4;
    qint32 previous = 4;
    for (qint32 i = 0; i < count; ++i) {
        const auto entry = [i] { return QStringLiteral("wpis %1: ").arg(i + 1); };
        if (pos + 4 > end)
            damaged(entry() + QStringLiteral("wykracza poza koniec pliku"));
        const qint32 nameLength = int32At(p + pos);
        pos += 4;
        if (nameLength < 0)
            damaged(entry() + QStringLiteral("ujemna długość nazwy (%1)").arg(nameLength));
        if (qint64(nameLength) + 4 > end - pos)
            damaged(entry() + QStringLiteral("wykracza poza koniec pliku"));
        const quint32 nameStart = quint32(m_names.size());
        m_names.append(p + pos, nameLength);
        pos += nameLength;
        const qint32 offset = int32At(p + pos);
        pos += 4;
        if (offset < 4 || offset > tablePos)
            damaged(entry() +
                    QStringLiteral("przesunięcie danych %1 leży poza obszarem danych 4..%2")
                        .arg(offset)
                        .arg(tablePos));
        if (offset < previous)
            damaged(entry() +
                    QStringLiteral("przesunięcie danych %1 jest mniejsze niż poprzednie (%2)")
                        .arg(offset)
                        .arg(previous));
        previous = offset;
        m_entries.push_back({nameStart, quint32(nameLength), offset, 0});
    }

    // Sizes follow the stored order, so they are set before anything is sorted.
    m_lastEntrySize = m_entries.empty() ? 0 : tablePos - m_entries.back().offset;
    for (size_t i = 0; i < m_entries.size(); ++i)
        m_entries[i].size =
            (i + 1 < m_entries.size() ? m_entries[i + 1].offset : tablePos) - m_entries[i].offset;

    m_folded = m_names;
    for (char &c : m_folded)
        c = char(Cp1250::foldCase(static_cast<unsigned char>(c)));

    m_sorted.reserve(m_entries.size());
    for (quint32 i = 0; i < m_entries.size(); ++i) {
        const Record &r = m_entries[i];
        m_sorted.push_back({std::string_view(m_folded.constData() + r.nameStart, r.nameLength), i});
    }
    // Ties keep stored order, so a duplicated name is found as its first occurrence.
    std::sort(m_sorted.begin(), m_sorted.end(), [](const SortedName &a, const SortedName &b) {
        const int c = a.folded.compare(b.folded);
        return c != 0 ? c < 0 : a.index < b.index;
    });
}

const TSimplePSS::Record *TSimplePSS::find(QByteArrayView name) const
{
    QVarLengthArray<char, 128> key(name.size());
    for (qsizetype i = 0; i < name.size(); ++i)
        key[i] = char(Cp1250::foldCase(static_cast<unsigned char>(name[i])));
    const std::string_view wanted(key.constData(), size_t(key.size()));
    const auto it =
        std::lower_bound(m_sorted.begin(), m_sorted.end(), wanted,
                         [](const SortedName &a, std::string_view b) { return a.folded < b; });
    if (it == m_sorted.end() || it->folded != wanted)
        return nullptr;
    return &m_entries[it->index];
}

bool TSimplePSS::ReadEntry(QByteArrayView name, QByteArray &stream)
{
    const Record *record = find(name);
    if (!record)
        return false;
    if (record->size > 0) {
        if (stream.size() < record->size)
            stream.resize(record->size);
        if (!m_source->read(record->offset, record->size, stream.data()))
            throw ContentError(QStringLiteral("Błąd odczytu pliku \"%1\"").arg(m_fileName));
    }
    qCDebug(lcContainer, "Nazwa: %s Rozmiar: %d", Cp1250::decode(name).toUtf8().constData(),
            int(record->size));
    return true;
}

TSimplePSS::Entry TSimplePSS::entryAt(int index) const
{
    const Record &r = m_entries.at(size_t(index));
    return {m_names.mid(r.nameStart, r.nameLength), r.offset, r.size};
}
