// bench_quiz: times the question pool and the filmography table on synthetic containers.
//
//   bench_quiz
//
// Figures:
//   load_pool_N         loading a pool of N questions (floor: the same ReadFields calls alone)
//   count_available_N   CountAvailable over N questions, all selected
//   draw_question_N     one DrawQuestion over N questions, averaged over drawing half of them
//   question_page_N     the page of one drawn question, read and built as the quiz window
//                       shows it, averaged over 100 (floor: the same ReadFields and ReadText)
//   filmography_N       the filmography table of N films, sorted with Polish collation
//                       (floor: the same ReadFields calls alone)
// Output: NAME: VALUE UNIT (floor VALUE UNIT, ratio R)

#include "BenchSupport.h"
#include "ContainerWriter.h"
#include "Cp1250.h"
#include "Filmography.h"
#include "QuizPage.h"
#include "TPSSDirectory.h"
#include "TQuizSuperList.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int Runs = 9;

// A container with `count` entries of the category, field lists made by `fields`.
template <typename F>
std::unique_ptr<TPSSDirectory> directoryOf(const QTemporaryDir &dir, const char *typ, int count,
                                           F fields)
{
    ContainerWriter writer;
    ItemIndexWriter index;
    QList<std::pair<QByteArray, QByteArray>> entries;
    for (int i = 0; i < count; ++i) {
        const QByteArray numer = QByteArray::number(i + 1);
        index.add(QByteArray::number(i).rightJustified(32, '0'), typ, numer);
        const QByteArray name = QByteArray(typ) + '\\' + numer;
        entries.append({QByteArray("L197\\TypX\\") + name + "\\Pola", Cp1250::encode(fields(i))});
        entries.append({name, Cp1250::encode(QStringLiteral("<P>Treść %1").arg(i))});
    }
    writer.add("L197\\UnidX", index.toBytes());
    for (const auto &[name, data] : entries)
        writer.add(name, data);
    const QString path =
        dir.filePath(QString::fromLatin1(typ) + QString::number(count) + QStringLiteral(".dat"));
    writer.write(path);
    return std::make_unique<TPSSDirectory>(path);
}

template <typename F> double medianMs(F &&work)
{
    std::vector<double> ms;
    for (int r = 0; r < Runs; ++r) {
        QElapsedTimer timer;
        timer.start();
        work();
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return bench::median(std::move(ms));
}

double readFieldsFloor(TPSSDirectory &directory, const QString &typ)
{
    return medianMs([&] {
        for (const QString &numer : directory.ListNumbers(typ)) {
            QStringList fields;
            directory.ReadFields(typ, numer, fields);
        }
    });
}

void pool(const QTemporaryDir &dir, int size)
{
    static const QString difficulties[] = {QStringLiteral("Łatwe"), QStringLiteral("Średnie"),
                                           QStringLiteral("Trudne")};
    const auto directory = directoryOf(dir, "_19710", size, [](int i) {
        return QStringLiteral(
                   "Trudność=%1\r\nKategoria=%2\r\n1=Odpowiedź pierwsza\r\n2=Odpowiedź druga\r\n"
                   "3=Odpowiedź trzecia\r\nPoprawna=1, 3")
            .arg(difficulties[i % 3])
            .arg(1 + i % 9);
    });
    LcgRandom random;
    TQuizSuperList quiz(random);
    const double load = medianMs([&] {
        quiz.Clear();
        quiz.Load(*directory);
    });
    bench::report("load_pool", size, "ms", load,
                  readFieldsFloor(*directory, TQuizSuperList::Category), 3);

    quiz.SetDifficultySet(0x07);
    quiz.SetEpochSet(0x1FF);
    int available = 0;
    const double count = medianMs([&] { available = quiz.CountAvailable(); });
    bench::report("count_available", size, "ms", count, 0, 3);

    const int draws = available / 2;
    const double draw = medianMs([&] {
        quiz.ClearUsed();
        for (int i = 0; i < draws; ++i)
            quiz.DrawQuestion();
    });
    bench::report("draw_question", size, "ms", draw / draws, 0, 3);

    constexpr int Pages = 100;
    quiz.ClearUsed();
    QStringList drawn;
    for (int i = 0; i < Pages; ++i)
        drawn.append(quiz.DrawQuestion());
    const double page = medianMs([&] {
        for (int i = 0; i < Pages; ++i)
            QuizPage::Read(*directory, drawn.at(i), i + 1);
    });
    const double pageFloor = medianMs([&] {
        for (const QString &numer : std::as_const(drawn)) {
            QStringList fields, text;
            directory->ReadFields(TQuizSuperList::Category, numer, fields);
            directory->ReadText(TQuizSuperList::Category, numer, text);
        }
    });
    bench::report("question_page", size, "ms", page / Pages, pageFloor / Pages, 3);
}

void filmography(const QTemporaryDir &dir, int size)
{
    const auto directory = directoryOf(dir, "_19709", size, [size](int i) {
        // Titles over the alphabet, some repeated in another letter case.
        return QStringLiteral(
                   "Tytuł=%1 film %2\r\nReżyser_imię=Jan\r\nReżyser_nazwisko=Reżyser %3\r\n"
                   "Scenariusz_imię=Anna\r\nScenariusz_nazwisko=Scenarzystka\r\nData=19%4\r\n"
                   "Dzieło=„Powieść %2” Autora")
            .arg(i % 2 ? QStringLiteral("Ł") : QStringLiteral("l"))
            .arg(size - i)
            .arg(i % 50)
            .arg(10 + i % 90);
    });
    const double build = medianMs([&] { Filmography::Build(*directory); });
    bench::report("filmography", size, "ms", build,
                  readFieldsFloor(*directory, QStringLiteral("_19709")), 3);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    QTemporaryDir dir;
    for (int size : {600, 6000})
        pool(dir, size);
    for (int size : {200, 2000})
        filmography(dir, size);
    return 0;
}
