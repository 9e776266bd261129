// bench_content: times the content library on synthetic containers and sets each figure
// beside a floor, the same work done with plain reads and standard containers.
//
//   bench_content [ITEMS...]      (default: 10000 100000 1000000)
//
// Every size gets a container of that many items, each with a field list of about 200
// bytes, plus the item index. Output is one line per figure:
//   NAME: VALUE UNIT (floor VALUE UNIT, ratio R)

#include "BenchSupport.h"
#include "ContainerWriter.h"
#include "Cp1250.h"
#include "TPSSDirectory.h"
#include "TSimplePSS.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <QtEndian>

#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

const char *const Categories[] = {"_19701", "_19702", "_19703", "_19704", "_19705",
                                  "_19706", "_19707", "_19708", "_19709", "_19710",
                                  "_19711", "_19712", "_19713", "_19714", "_19799"};
constexpr int CategoryCount = int(std::size(Categories));
const QByteArray ItemIndexName = QByteArrayLiteral("L197\\UnidX");

constexpr int Repetitions = 7;
constexpr double Megabyte = 1024.0 * 1024.0;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Runs `repetition` (which returns the seconds it measured) several times.
template <typename F> double medianOf(int count, F &&repetition)
{
    std::vector<double> seconds;
    for (int i = 0; i < count; ++i)
        seconds.push_back(repetition());
    return bench::median(std::move(seconds));
}

// Thrown rather than exiting, so the temporary folder is still removed.
[[noreturn]] void fail(const QString &message)
{
    throw std::runtime_error(message.toStdString());
}

double residentMegabytes()
{
    // statm's second field is the resident set in pages.
    FILE *f = std::fopen("/proc/self/statm", "r");
    long total = 0, resident = 0;
    if (!f || std::fscanf(f, "%ld %ld", &total, &resident) != 2)
        fail(QStringLiteral("cannot read /proc/self/statm"));
    std::fclose(f);
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / Megabyte;
}

struct Item
{
    QByteArray typ;
    QByteArray numer;
};

QByteArray fieldsName(const Item &item)
{
    return "L197\\TypX\\" + item.typ + '\\' + item.numer + "\\Pola";
}

constexpr int FieldLines = 8;

QByteArray fieldList(const Item &item, int serial)
{
    static const QString authors[] = {
        QStringLiteral("Józefa Żmigrodzka-Wąs"), QStringLiteral("Łucjan Ćwikliński"),
        QStringLiteral("Ewelina Śląska"), QStringLiteral("Grzegorz Źrebięcki")};
    const QString text = QStringLiteral("Tytuł=Pieśń o łące i źródle, tom %1\r\n"
                                        "Autor=%2\r\n"
                                        "Gatunek=poemat dygresyjny\r\n"
                                        "Epoka=Młoda Polska\r\n"
                                        "Rok=%3\r\n"
                                        "Miejsce=Łódź\r\n"
                                        "Sygnatura=%4/%5\r\n"
                                        "Uwagi=zachowało się jedno wydanie, bez ilustracji\r\n")
                             .arg(serial)
                             .arg(authors[serial % std::size(authors)])
                             .arg(1800 + serial % 200)
                             .arg(QLatin1StringView(item.typ), QLatin1StringView(item.numer));
    return Cp1250::encode(text);
}

// The items in a shuffled stored order, so neither table nor index arrives sorted.
std::vector<Item> makeItems(int count)
{
    std::vector<Item> items;
    items.reserve(size_t(count));
    for (int i = 0; i < count; ++i)
        items.push_back({Categories[i % CategoryCount], QByteArray::number(i / CategoryCount + 1)});
    std::shuffle(items.begin(), items.end(), std::mt19937(20240601));
    return items;
}

void writeContainer(const QString &path, const std::vector<Item> &items)
{
    ContainerWriter writer;
    ItemIndexWriter index;
    for (size_t i = 0; i < items.size(); ++i) {
        const Item &item = items[i];
        writer.add(fieldsName(item), fieldList(item, int(i)));
        const QByteArray unid =
            QCryptographicHash::hash(item.typ + '\\' + item.numer, QCryptographicHash::Md5)
                .toHex()
                .toUpper();
        if (!index.add(unid, item.typ, item.numer))
            fail(QStringLiteral("item index field too long"));
    }
    writer.add(ItemIndexName, index.toBytes());
    QString error;
    if (!writer.write(path, &error))
        fail(QStringLiteral("cannot write %1: %2").arg(path, error));
}

class PlainFile
{
public:
    explicit PlainFile(const QString &path) : m_fd(::open(QFile::encodeName(path), O_RDONLY))
    {
        if (m_fd < 0)
            fail(QStringLiteral("cannot open %1").arg(path));
    }
    ~PlainFile() { ::close(m_fd); }
    PlainFile(const PlainFile &) = delete;
    PlainFile &operator=(const PlainFile &) = delete;

    void read(qint64 offset, qint64 length, char *destination) const
    {
        if (::pread(m_fd, destination, size_t(length), off_t(offset)) != length)
            fail(QStringLiteral("short read"));
    }

private:
    int m_fd;
};

// The table read with plain calls: what any reader has to do before parsing.
struct RawTable
{
    qint32 tablePos = 0;
    std::vector<char> bytes;

    RawTable(const PlainFile &file, qint64 fileSize)
    {
        char word[4];
        file.read(0, 4, word);
        tablePos = qFromLittleEndian<qint32>(word);
        bytes.resize(size_t(fileSize - tablePos));
        file.read(tablePos, qint64(bytes.size()), bytes.data());
    }

    // Not timed: the names as views into the table, and where the item index lies.
    std::vector<std::string_view> names(qint64 *indexOffset = nullptr,
                                        qint64 *indexSize = nullptr) const
    {
        const char *p = bytes.data();
        const qint32 count = qFromLittleEndian<qint32>(p);
        std::vector<std::string_view> result;
        std::vector<qint32> offsets;
        result.reserve(size_t(count));
        offsets.reserve(size_t(count) + 1);
        size_t pos = 4;
        for (qint32 i = 0; i < count; ++i) {
            const qint32 length = qFromLittleEndian<qint32>(p + pos);
            result.emplace_back(p + pos + 4, size_t(length));
            pos += 4 + size_t(length);
            offsets.push_back(qFromLittleEndian<qint32>(p + pos));
            pos += 4;
        }
        offsets.push_back(tablePos);
        const auto index =
            std::find(result.begin(), result.end(), std::string_view(ItemIndexName.constData()));
        if (indexOffset && index != result.end()) {
            const size_t i = size_t(index - result.begin());
            *indexOffset = offsets[i];
            *indexSize = offsets[i + 1] - offsets[i];
        }
        return result;
    }
};

std::string sortKey(const Item &item)
{
    return item.typ.toStdString() + '\\' + item.numer.toStdString();
}

struct Query
{
    QString typ;
    QString numer;
    std::string key;
    bool present = false;
    qint32 offset = 0; // of the field list, for present items
    qint32 size = 0;
};

std::vector<Query> makeQueries(const std::vector<Item> &items, const TSimplePSS &pss, int count,
                               int absentEvery)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<size_t> pick(0, items.size() - 1);
    const int perCategory = int(items.size() + CategoryCount - 1) / CategoryCount;
    std::vector<Query> queries;
    queries.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        Query q;
        if (absentEvery > 0 && i % absentEvery == 0) {
            // Alternately an unknown category and a number past the category's last one.
            const bool unknownCategory = (i / absentEvery) % 2;
            const Item item{unknownCategory ? QByteArray("_19750")
                                            : QByteArray(Categories[i % CategoryCount]),
                            QByteArray::number(perCategory + 1 + i)};
            q.typ = QString::fromLatin1(item.typ);
            q.numer = QString::fromLatin1(item.numer);
            q.key = sortKey(item);
        } else {
            // Field list entries are stored in item order, so item j's is entry j.
            const size_t j = pick(random);
            const TSimplePSS::Entry entry = pss.entryAt(int(j));
            if (entry.name != fieldsName(items[j]))
                fail(QStringLiteral("unexpected entry order"));
            q.typ = QString::fromLatin1(items[j].typ);
            q.numer = QString::fromLatin1(items[j].numer);
            q.key = sortKey(items[j]);
            q.present = true;
            q.offset = entry.offset;
            q.size = entry.size;
        }
        queries.push_back(std::move(q));
    }
    return queries;
}

// Reads the whole file once, so every figure below runs on the page cache.
void warmPageCache(const QString &path, qint64 fileSize)
{
    const PlainFile file(path);
    std::vector<char> buffer(1 << 20);
    for (qint64 pos = 0; pos < fileSize; pos += qint64(buffer.size()))
        file.read(pos, std::min<qint64>(qint64(buffer.size()), fileSize - pos), buffer.data());
}

void benchMemory(const QString &path, int n, qint64 fileSize)
{
    malloc_trim(0);
    const double before = residentMegabytes();
    auto directory = std::make_unique<TPSSDirectory>(path);
    const double after = residentMegabytes();

    const RawTable raw(PlainFile(path), fileSize);
    qint64 indexOffset = 0, indexSize = 0;
    raw.names(&indexOffset, &indexSize);
    const double floor = double(qint64(raw.bytes.size()) + indexSize) / Megabyte;
    if (directory->ItemCount() != n)
        fail(QStringLiteral("directory holds %1 items, expected %2")
                 .arg(directory->ItemCount())
                 .arg(n));
    bench::report("memory_directory", n, "MB", after - before, floor, bench::Adaptive);
}

void benchOpen(const QString &path, int n, qint64 fileSize, const std::vector<Item> &items)
{
    const double container = medianOf(Repetitions, [&] {
        const auto start = Clock::now();
        auto pss = std::make_unique<TSimplePSS>(path);
        const double seconds = secondsSince(start);
        if (pss->count() != n + 1)
            fail(QStringLiteral("container holds %1 entries").arg(pss->count()));
        return seconds;
    });
    const double directory = medianOf(Repetitions, [&] {
        const auto start = Clock::now();
        auto dir = std::make_unique<TPSSDirectory>(path);
        const double seconds = secondsSince(start);
        if (dir->ItemCount() != n)
            fail(QStringLiteral("directory holds %1 items").arg(dir->ItemCount()));
        return seconds;
    });

    std::vector<std::string> keys;
    keys.reserve(items.size());
    for (const Item &item : items)
        keys.push_back(sortKey(item));

    std::vector<double> tableFloors, directoryFloors;
    for (int r = 0; r < Repetitions; ++r) {
        auto start = Clock::now();
        const PlainFile file(path);
        const RawTable raw(file, fileSize);
        const double readSeconds = secondsSince(start);

        qint64 indexOffset = 0, indexSize = 0;
        std::vector<std::string_view> names = raw.names(&indexOffset, &indexSize);
        start = Clock::now();
        std::sort(names.begin(), names.end());
        const double sortSeconds = secondsSince(start);

        std::vector<char> index(static_cast<size_t>(indexSize));
        start = Clock::now();
        file.read(indexOffset, indexSize, index.data());
        const double indexSeconds = secondsSince(start);

        std::vector<std::string> unsorted = keys;
        start = Clock::now();
        std::sort(unsorted.begin(), unsorted.end());
        const double keySeconds = secondsSince(start);

        tableFloors.push_back(readSeconds + sortSeconds);
        directoryFloors.push_back(readSeconds + sortSeconds + indexSeconds + keySeconds);
    }
    bench::report("open_container", n, "ms", container * 1e3, bench::median(tableFloors) * 1e3,
                  bench::Adaptive);
    bench::report("open_directory", n, "ms", directory * 1e3, bench::median(directoryFloors) * 1e3,
                  bench::Adaptive);
}

void benchFindItem(TPSSDirectory &directory, int n, const std::vector<Item> &items)
{
    // One query in ten is absent.
    const std::vector<Query> queries = makeQueries(items, directory.container(), 1 << 16, 10);
    const size_t mask = queries.size() - 1;
    constexpr int Calls = 200'000; // per repetition; five make a million
    int expected = 0;
    for (int i = 0; i < Calls; ++i)
        expected += queries[size_t(i) & mask].present;
    const auto check = [expected](int found) {
        if (found != expected)
            fail(QStringLiteral("item lookups found %1 of %2").arg(found).arg(expected));
    };

    std::vector<std::string> keys;
    keys.reserve(items.size());
    for (const Item &item : items)
        keys.push_back(sortKey(item));
    std::sort(keys.begin(), keys.end());

    const double library = medianOf(5, [&] {
        int found = 0;
        const auto start = Clock::now();
        for (int i = 0; i < Calls; ++i) {
            const Query &q = queries[size_t(i) & mask];
            found += directory.FindItem(q.typ, q.numer) >= 0;
        }
        const double seconds = secondsSince(start);
        check(found);
        return seconds;
    });
    const double floor = medianOf(5, [&] {
        int found = 0;
        const auto start = Clock::now();
        for (int i = 0; i < Calls; ++i) {
            const std::string &key = queries[size_t(i) & mask].key;
            const auto it = std::lower_bound(keys.begin(), keys.end(), key);
            found += it != keys.end() && *it == key;
        }
        const double seconds = secondsSince(start);
        check(found);
        return seconds;
    });
    bench::report("find_item", n, "ns", library / Calls * 1e9, floor / Calls * 1e9,
                  bench::Adaptive);
}

void benchReadFields(TPSSDirectory &directory, int n, const QString &path,
                     const std::vector<Item> &items)
{
    const std::vector<Query> queries = makeQueries(items, directory.container(), 1 << 14, 0);
    const size_t mask = queries.size() - 1;
    constexpr int Calls = 20'000;

    const double library = medianOf(5, [&] {
        qsizetype lines = 0;
        const auto start = Clock::now();
        for (int i = 0; i < Calls; ++i) {
            const Query &q = queries[size_t(i) & mask];
            QStringList fields;
            directory.ReadFields(q.typ, q.numer, fields);
            lines += fields.size();
        }
        const double seconds = secondsSince(start);
        if (lines != qsizetype(Calls) * FieldLines)
            fail(QStringLiteral("field lists held %1 lines").arg(lines));
        return seconds;
    });

    const PlainFile file(path);
    std::vector<char> buffer(1 << 16);
    const double floor = medianOf(5, [&] {
        qint64 bytes = 0;
        const auto start = Clock::now();
        for (int i = 0; i < Calls; ++i) {
            const Query &q = queries[size_t(i) & mask];
            file.read(q.offset, q.size, buffer.data());
            bytes += q.size;
        }
        const double seconds = secondsSince(start);
        if (bytes == 0)
            fail(QStringLiteral("nothing read"));
        return seconds;
    });
    bench::report("read_fields", n, "us", library / Calls * 1e6, floor / Calls * 1e6,
                  bench::Adaptive);
}

void benchListNumbers(TPSSDirectory &directory, int n, const std::vector<Item> &items)
{
    const char *category = Categories[4];
    const QString typ = QString::fromLatin1(category);
    const qsizetype expected =
        std::count_if(items.begin(), items.end(), [&](const Item &i) { return i.typ == category; });
    // About ten million items scanned per repetition, at least a few calls.
    const int calls = std::max(3, 10'000'000 / n);

    const double library = medianOf(5, [&] {
        qsizetype listed = 0;
        const auto start = Clock::now();
        for (int i = 0; i < calls; ++i) {
            QStringList numbers;
            directory.ListNumbers(typ, numbers);
            listed += numbers.size();
        }
        const double seconds = secondsSince(start);
        if (listed != expected * calls)
            fail(QStringLiteral("listed %1 numbers").arg(listed));
        return seconds;
    });

    std::vector<std::pair<std::string, std::string>> plain;
    plain.reserve(items.size());
    for (const Item &item : items)
        plain.emplace_back(item.typ.toStdString(), item.numer.toStdString());
    const std::string wanted = category;
    const double floor = medianOf(5, [&] {
        qsizetype listed = 0;
        const auto start = Clock::now();
        for (int i = 0; i < calls; ++i) {
            std::vector<std::string> numbers;
            for (const auto &[itemTyp, itemNumer] : plain) {
                if (itemTyp == wanted)
                    numbers.push_back(itemNumer);
            }
            listed += qsizetype(numbers.size());
        }
        const double seconds = secondsSince(start);
        if (listed != expected * calls)
            fail(QStringLiteral("listed %1 numbers").arg(listed));
        return seconds;
    });
    bench::report("list_numbers", n, "us", library / calls * 1e6, floor / calls * 1e6,
                  bench::Adaptive);
}

void benchSize(const QTemporaryDir &dir, int n)
{
    const QString path = dir.filePath(QStringLiteral("Verbarium-%1.dat").arg(n));
    const std::vector<Item> items = makeItems(n);
    writeContainer(path, items);
    const qint64 fileSize = QFileInfo(path).size();
    std::fprintf(stderr, "bench_content: %d items, %.1f MB\n", n, double(fileSize) / Megabyte);
    warmPageCache(path, fileSize);

    // Memory first, before the other figures leave freed blocks behind in the heap.
    benchMemory(path, n, fileSize);
    benchOpen(path, n, fileSize, items);

    TPSSDirectory directory(path);
    benchFindItem(directory, n, items);
    benchReadFields(directory, n, path, items);
    benchListNumbers(directory, n, items);
    QFile::remove(path);
}

} // namespace

int main(int argc, char **argv)
{
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) {
        bool ok = false;
        const int n = QByteArray(argv[i]).toInt(&ok);
        // Item numbers must fit the index's 10 bytes and the file its 2 GB.
        if (!ok || n < 1 || n > 5'000'000) {
            std::fprintf(stderr, "usage: bench_content [ITEMS (1..5000000)...]\n");
            return 64;
        }
        sizes.push_back(n);
    }
    if (sizes.empty())
        sizes = {10'000, 100'000, 1'000'000};

    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "bench_content: cannot create a temporary folder: %s\n",
                     dir.errorString().toUtf8().constData());
        return 1;
    }
    try {
        for (int n : sizes)
            benchSize(dir, n);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "bench_content: %s\n", e.what());
        return 1;
    }
    return 0;
}
