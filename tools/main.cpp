// verbarium-dat: lists, reads, checks and writes container files.
// Names and texts on the command line and in the output are UTF-8.

#include "CalendarEvents.h"
#include "ContainerWriter.h"
#include "ContentError.h"
#include "Cp1250.h"
#include "DocumentTemplates.h"
#include "Filmography.h"
#include "QuizPage.h"
#include "SearchIndex.h"
#include "SearchIndexBuilder.h"
#include "SourceTreePacker.h"
#include "SqliteDatabase.h"
#include "TKalendarList.h"
#include "TPSSDirectory.h"
#include "TQuizSuperList.h"
#include "TSimplePSS.h"
#include "VersionInfo.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>
#include <optional>

namespace {

enum ExitCode { Success = 0, NotFound = 1, Unreadable = 2, Usage = 64 };

const char UsageText[] = "usage: verbarium-dat list FILE\n"
                         "       verbarium-dat cat FILE NAME\n"
                         "       verbarium-dat items FILE\n"
                         "       verbarium-dat fields FILE TYP NUMER\n"
                         "       verbarium-dat text FILE TYP NUMER\n"
                         "       verbarium-dat render FILE TYP NUMER\n"
                         "       verbarium-dat filmography FILE\n"
                         "       verbarium-dat calendar FILE [chronologicznie|kategoriami|typem]\n"
                         "       verbarium-dat pack SOURCE_DIR FILE\n"
                         "       verbarium-dat verify FILE\n"
                         "       verbarium-dat search FILE QUERY\n";

void printLine(const QString &line)
{
    const QByteArray utf8 = line.toUtf8();
    std::fwrite(utf8.constData(), 1, size_t(utf8.size()), stdout);
    std::fputc('\n', stdout);
}

int failure(const QString &message)
{
    std::fprintf(stderr, "verbarium-dat: %s\n", message.toUtf8().constData());
    return Unreadable;
}

int list(const QString &path)
{
    TSimplePSS container(path);
    for (int i = 0; i < container.count(); ++i) {
        const TSimplePSS::Entry e = container.entryAt(i);
        printLine(
            QStringLiteral("%1\t%2\t%3").arg(Cp1250::decode(e.name)).arg(e.offset).arg(e.size));
    }
    return Success;
}

int cat(const QString &path, const QString &name)
{
    TSimplePSS container(path);
    QByteArray data;
    if (!container.ReadEntry(Cp1250::encode(name), data))
        return NotFound;
    std::fwrite(data.constData(), 1, size_t(data.size()), stdout);
    return Success;
}

int items(const QString &path)
{
    const auto directory = std::make_unique<TPSSDirectory>(path);
    for (int i = 0; i < directory->ItemCount(); ++i) {
        const TItemInfo &item = directory->itemAt(i);
        printLine(item.Unid() + u'\t' + item.Typ() + u'\t' + item.Numer());
    }
    return Success;
}

int lines(const QString &path, const QString &typ, const QString &numer, bool fields)
{
    const auto directory = std::make_unique<TPSSDirectory>(path);
    QStringList text;
    const bool found =
        fields ? directory->ReadFields(typ, numer, text) : directory->ReadText(typ, numer, text);
    if (!found)
        return NotFound;
    for (const QString &line : text)
        printLine(line);
    return Success;
}

// The lines the entry's document window loads into its view: heading, text, footer; for a
// quiz question, the page the quiz window shows for it as the first question.
int render(const QString &path, const QString &typ, const QString &numer)
{
    const auto directory = std::make_unique<TPSSDirectory>(path);
    if (typ == TQuizSuperList::Category) {
        const auto question = QuizPage::Read(*directory, numer, 1);
        if (!question)
            return NotFound;
        for (const QString &line : question->page)
            printLine(line);
        return Success;
    }
    const DocumentTemplates::Document document =
        DocumentTemplates::BuildEntry(*directory, typ, numer);
    if (!document.lines || document.lines->isEmpty())
        return NotFound;
    for (const QString &line : *document.lines)
        printLine(line);
    return Success;
}

int filmography(const QString &path)
{
    const auto directory = std::make_unique<TPSSDirectory>(path);
    for (const QString &line : Filmography::Build(*directory))
        printLine(line);
    return Success;
}

// The calendar's events in the order of the strip after loading with that sort button down,
// each with the text its bar shows.
int calendar(const QString &path, CalendarEvents::SortButton order)
{
    const auto directory = std::make_unique<TPSSDirectory>(path);
    TKalendarList events;
    CalendarEvents::Load(*directory, events);
    CalendarEvents::SortLoaded(events, order);
    TKalendarRecord event;
    QStringList fields;
    for (int i = 0; i < events.Count(); ++i) {
        events.GetRecord(i, event);
        directory->ReadFields(event.Typ, event.Numer, fields);
        printLine(QStringLiteral("%1\t%2\t%3\t%4\t%5")
                      .arg(event.Year)
                      .arg(event.Category)
                      .arg(event.EventType)
                      .arg(event.Numer, CalendarEvents::BarText(fields)));
    }
    return Success;
}

int pack(const QString &sourceDir, const QString &path)
{
    ContainerWriter writer;
    SourceTreePacker packer(writer);
    if (!packer.pack(sourceDir))
        return failure(packer.error());
    QString error;
    if (!writer.write(path, &error))
        return failure(QStringLiteral("%1: %2").arg(path, error));
    return Success;
}

int verify(const QString &path)
{
    const auto directory = std::make_unique<TPSSDirectory>(path);
    QByteArray index;
    if (directory->container().ReadEntry("L197\\UnidX", index)) {
        const QString problem = TPSSDirectory::itemIndexProblem(index);
        if (!problem.isEmpty())
            return failure(QStringLiteral("Uszkodzony plik \"%1\": %2").arg(path, problem));
    }
    printLine(QStringLiteral("ok: %1 entries, %2 items")
                  .arg(directory->container().count())
                  .arg(directory->ItemCount()));
    return Success;
}

// Uses the program's cached index when it is valid and answers, else builds one for this run
// only.
int search(const QString &path, const QString &text)
{
    QCoreApplication::setOrganizationName(VersionInfo::CompanyName());
    QCoreApplication::setApplicationName(VersionInfo::ProductName());
    const auto find = [&text](const QString &index) {
        return SearchIndex(index).search(SearchQuery(text));
    };
    const QString cache = SearchIndexBuilder::cacheFile(path);
    std::optional<QList<SearchIndex::Result>> results;
    if (SearchIndex::isValid(cache, SearchIndexBuilder::containerKey(path))) {
        try {
            results = find(cache);
        } catch (const SqliteDatabase::Error &) {
            // Damaged since it was checked.
        }
    }
    if (!results) {
        const QTemporaryDir temporary;
        if (!temporary.isValid())
            return failure(QStringLiteral("nie można utworzyć folderu tymczasowego"));
        const QString index = temporary.filePath(QStringLiteral("search.sqlite"));
        SearchIndexBuilder::ensure(path, index);
        results = find(index);
    }
    for (const SearchIndex::Result &r : *results)
        printLine(QStringLiteral("%1\t%2\t%3").arg(r.typ, r.numer, r.title));
    return results->isEmpty() ? NotFound : Success;
}

int run(const QStringList &args)
{
    const QString command = args.value(0);
    const qsizetype n = args.size();
    if (command == u"list" && n == 2)
        return list(args[1]);
    if (command == u"cat" && n == 3)
        return cat(args[1], args[2]);
    if (command == u"items" && n == 2)
        return items(args[1]);
    if ((command == u"fields" || command == u"text") && n == 4)
        return lines(args[1], args[2], args[3], command == u"fields");
    if (command == u"render" && n == 4)
        return render(args[1], args[2], args[3]);
    if (command == u"filmography" && n == 2)
        return filmography(args[1]);
    if (command == u"calendar" && (n == 2 || n == 3)) {
        const QString order = args.value(2, QStringLiteral("chronologicznie"));
        if (order == u"chronologicznie")
            return calendar(args[1], CalendarEvents::Chronologicznie);
        if (order == u"kategoriami")
            return calendar(args[1], CalendarEvents::Kategoriami);
        if (order == u"typem")
            return calendar(args[1], CalendarEvents::Typem);
    }
    if (command == u"pack" && n == 3)
        return pack(args[1], args[2]);
    if (command == u"verify" && n == 2)
        return verify(args[1]);
    if (command == u"search" && n == 3)
        return search(args[1], args[2]);
    std::fputs(UsageText, stderr);
    return Usage;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    try {
        const int code = run(app.arguments().mid(1));
        std::fflush(stdout);
        return code;
    } catch (const ContentError &e) {
        return failure(e.message());
    } catch (const SqliteDatabase::Error &e) {
        return failure(QString::fromUtf8(e.what()));
    } catch (const SearchIndexBuilder::WriteError &e) {
        return failure(e.message());
    } catch (const std::bad_alloc &) {
        return failure(QStringLiteral("brak pamięci"));
    }
}
