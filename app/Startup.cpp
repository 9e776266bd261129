#include "Startup.h"

#include "ContentError.h"
#include "DocumentClasses.h"
#include "Globals.h"
#include "MessageBoxes.h"
#include "PdfExport.h"
#include "TData.h"
#include "TPulpit.h"
#include "TerminationSignals.h"
#include "TfrmCDCheck.h"
#include "TfrmIndeks.h"
#include "TfrmQuiz.h"
#include "TfrmSearcher.h"
#include "TfrmSplasher.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QPointer>
#include <QScreen>
#include <QTimer>

#include <cstdio>
#include <memory>

Q_LOGGING_CATEGORY(lcStartup, "verbarium.startup", QtInfoMsg)

std::optional<StartupOptions> StartupOptions::parse(const QStringList &arguments, QString *error)
{
    QCommandLineParser parser;
    const QCommandLineOption quit(QStringLiteral("quit-after-start"));
    parser.addOption(quit);
    const QCommandLineOption open(QStringLiteral("open"), QString(), QStringLiteral("TYP"));
    parser.addOption(open);
    const QCommandLineOption printPdf(QStringLiteral("print-pdf"), QString(),
                                      QStringLiteral("TYP"));
    parser.addOption(printPdf);
    parser.addPositionalArgument(QStringLiteral("DATA_FOLDER"), QString());
    // --open takes two values, the category code and the number; the number comes first
    // among the positional arguments.
    QStringList positional;
    const bool parsed = parser.parse(arguments);
    if (parsed)
        positional = parser.positionalArguments();
    const bool opening = parsed && parser.isSet(open);
    // --print-pdf likewise takes the number and the file name first.
    const bool printing = parsed && parser.isSet(printPdf);
    const qsizetype taken = opening ? 1 : printing ? 2 : 0;
    if (!parsed || (opening && printing) || positional.size() < taken ||
        positional.size() > taken + 1) {
        if (error)
            *error =
                parser.errorText().isEmpty()
                    ? QStringLiteral(
                          "użycie: verbarium [--open TYP NUMER | --print-pdf TYP NUMER PLIK.pdf] "
                          "[FOLDER_DANYCH] [--quit-after-start]")
                    : parser.errorText();
        return std::nullopt;
    }
    StartupOptions options;
    if (opening) {
        options.openTyp = parser.value(open);
        options.openNumer = positional.takeFirst();
    }
    if (printing) {
        options.printTyp = parser.value(printPdf);
        options.printNumer = positional.takeFirst();
        options.printFile = positional.takeFirst();
    }
    options.dataFolder = positional.value(0);
    options.quitAfterStart = parser.isSet(quit);
    return options;
}

int RunProgram(SettingsStore &settings, const VolumeList &volumes, const StartupOptions &options)
{
    // A stop from outside closes the main window as the reader would and leaves every event
    // loop, a modal box's or dialog's included; one that comes before the main loop keeps it
    // from starting. The program then goes down in its usual order.
    bool stopped = false;
    TerminationSignals signals;
    QObject::connect(&signals, &TerminationSignals::received, [&stopped] {
        stopped = true;
        if (TPulpit *pulpit = Pulpit())
            pulpit->close();
        QCoreApplication::exit(0);
    });

    QPointer<TfrmSplasher> splash = new TfrmSplasher;
    splash->show();
    QCoreApplication::processEvents();

    TPulpit::Environment environment;
    environment.settings = &settings;
    environment.splash = splash;
    environment.splashStatus = [splash](const QString &text) {
        if (splash)
            splash->SetStatus(text);
    };
    environment.runDialog = [quit = options.quitAfterStart](QDialog &dialog) {
        qCDebug(lcStartup, "Okno %s", qUtf8Printable(dialog.objectName()));
        // Quitting after the start meets the start-up's dialog and closes it with its close box.
        if (quit)
            QTimer::singleShot(0, &dialog, &QDialog::reject);
        return dialog.exec();
    };
    auto pulpit = std::make_unique<TPulpit>(environment);
    SetPulpit(pulpit.get());
    RegisterDocumentClasses(*pulpit);
    pulpit->RegisterIndexClass([] { return new TfrmIndeks; });
    pulpit->RegisterQuizClass(&TfrmQuiz::Create);

    int status = 0;
    // Found nowhere, the data folder is asked for: the disc, or a folder picked by hand.
    const auto locate = [&volumes](const QString &start) -> std::optional<QString> {
        MessageBoxes::hideSplashScreens();
        TfrmCDCheck locator(volumes);
        locator.SetExplanation(
            QStringLiteral("Poszukiwana ścieżka do bazy danych programu (*.db)"));
        locator.SetFileList(TData::RequiredFiles);
        locator.SetSubFolder(QStringLiteral("DATA\\"));
        locator.SetFolder(start);
        if (locator.exec() != QDialog::Accepted)
            return std::nullopt;
        return locator.Folder();
    };
    auto data =
        std::make_unique<TData>(settings, volumes, TData::Options{options.dataFolder, {}, {}});
    data->SetLocator(locate);
    SetData(data.get());
    if (splash)
        splash->SetStatus(QStringLiteral("Otwieranie baz danych..."));

    // A folder named on the command line that does not hold the data is reported; the search
    // then goes on in the usual places.
    if (!options.dataFolder.isEmpty()) {
        const QString folder = QFileInfo(options.dataFolder).absoluteFilePath();
        if (!TData::FilesPresent(folder, TData::RequiredFiles))
            MessageBoxes::show(nullptr,
                               {QStringLiteral("W folderze\n%1\nnie ma pliku %2.\n"
                                               "Program poszuka danych w pozostałych miejscach.")
                                    .arg(QDir::toNativeSeparators(folder), TData::RequiredFiles),
                                QStringLiteral("Uwaga"), QMessageBox::Warning, QMessageBox::Ok});
    }

    bool started = false;
    if (!data->FindDataFolder()) {
        MessageBoxes::show(nullptr, {QStringLiteral("Nie znaleziono plików źródłowych. \n"
                                                    "Program zostanie zakończony"),
                                     QStringLiteral("Zakończenie programu!"), QMessageBox::NoIcon,
                                     QMessageBox::Ok});
        status = 1;
    } else {
        try {
            data->OpenDirectory();
            started = true;
        } catch (const ContentError &e) {
            MessageBoxes::showError(nullptr, e.message());
            status = 1;
        }
    }

    std::unique_ptr<TfrmSearcher> searcher;
    if (started) {
        QObject::connect(pulpit.get(), &TPulpit::IndexShown,
                         [] { qCDebug(lcStartup, "Indeks wyświetlony"); });
        // Without a window manager a maximise request goes unanswered, so the frame takes
        // the screen's free area first.
        if (const QScreen *screen = pulpit->screen())
            pulpit->setGeometry(screen->availableGeometry());
        pulpit->showMaximized();
        if (splash && QGuiApplication::platformName() != u"offscreen")
            splash->raise();
        // The Index opens inside the event loop, where an error while it loads is shown by
        // the application's net instead of ending the program.
        QMetaObject::invokeMethod(
            pulpit.get(), [p = pulpit.get()] { p->btIndeksClick(); }, Qt::QueuedConnection);
        searcher = std::make_unique<TfrmSearcher>();
        SetSearcher(searcher.get());
        // What comes after the start waits until the main window is active, so the frame
        // does not hand the activation back to the Index right after (bounded, for
        // platforms that never activate a window).
        auto *started = new QTimer(pulpit.get());
        started->setInterval(10);
        QObject::connect(
            started, &QTimer::timeout, pulpit.get(),
            [&options, &status, pulpit = pulpit.get(), started, tries = 0]() mutable {
                if (!pulpit->isActiveWindow() && ++tries < 100)
                    return;
                started->deleteLater();
                started->stop();
                if (!options.openTyp.isEmpty()) {
                    qCDebug(lcStartup, "Otwieranie %s %s", qUtf8Printable(options.openTyp),
                            qUtf8Printable(options.openNumer));
                    pulpit->OpenDocument(options.openTyp, options.openNumer);
                }
                if (!options.printTyp.isEmpty()) {
                    QString error;
                    status = PdfExport::PrintEntry(*pulpit, options.printTyp, options.printNumer,
                                                   options.printFile, &error);
                    if (status != PdfExport::Printed)
                        std::fprintf(stderr, "%s\n", error.toUtf8().constData());
                }
                if (options.quitAfterStart || !options.printTyp.isEmpty())
                    QTimer::singleShot(0, pulpit, &QWidget::close);
            });
        started->start();
        if (!stopped && !pulpit->TerminationRequested())
            QApplication::exec();
    } else {
        delete splash;
    }

    SetSearcher(nullptr);
    searcher.reset();
    SetData(nullptr);
    data.reset();
    SetPulpit(nullptr);
    pulpit.reset();

    // Said once, when everything else is done; a run without a reader only reports it.
    if (const QString problem = settings.SaveProblem(); !problem.isEmpty()) {
        std::fprintf(stderr, "%s\n", problem.toUtf8().constData());
        if (!stopped && !options.quitAfterStart && options.printTyp.isEmpty())
            MessageBoxes::show(
                nullptr, {problem, QStringLiteral("Uwaga"), QMessageBox::Warning, QMessageBox::Ok});
    }
    return status;
}
