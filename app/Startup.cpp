#include "Startup.h"

#include "ContentError.h"
#include "DocumentClasses.h"
#include "Globals.h"
#include "MessageBoxes.h"
#include "TData.h"
#include "TPulpit.h"
#include "TerminationSignals.h"
#include "TfrmIndeks.h"
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

#include <memory>

Q_LOGGING_CATEGORY(lcStartup, "verbarium.startup", QtInfoMsg)

std::optional<StartupOptions> StartupOptions::parse(const QStringList &arguments, QString *error)
{
    QCommandLineParser parser;
    const QCommandLineOption quit(QStringLiteral("quit-after-start"));
    parser.addOption(quit);
    const QCommandLineOption open(QStringLiteral("open"), QString(), QStringLiteral("TYP"));
    parser.addOption(open);
    parser.addPositionalArgument(QStringLiteral("DATA_FOLDER"), QString());
    // --open takes two values, the category code and the number; the number comes first
    // among the positional arguments.
    QStringList positional;
    const bool parsed = parser.parse(arguments);
    if (parsed)
        positional = parser.positionalArguments();
    const bool opening = parsed && parser.isSet(open);
    if (!parsed || (opening && positional.isEmpty()) || positional.size() > (opening ? 2 : 1)) {
        if (error)
            *error = parser.errorText().isEmpty()
                         ? QStringLiteral("użycie: verbarium [--open TYP NUMER] [FOLDER_DANYCH] "
                                          "[--quit-after-start]")
                         : parser.errorText();
        return std::nullopt;
    }
    StartupOptions options;
    if (opening) {
        options.openTyp = parser.value(open);
        options.openNumer = positional.takeFirst();
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

    int status = 0;
    auto data = std::make_unique<TData>(settings, volumes, TData::Options{options.dataFolder, {}, {}});
    SetData(data.get());
    if (splash)
        splash->SetStatus(QStringLiteral("Otwieranie baz danych..."));

    // A folder named on the command line that does not hold the data is reported; the search
    // then goes on in the usual places.
    if (!options.dataFolder.isEmpty()) {
        const QString folder = QFileInfo(options.dataFolder).absoluteFilePath();
        if (!TData::FilesPresent(folder, TData::RequiredFiles))
            MessageBoxes::show(nullptr, {QStringLiteral("W folderze\n%1\nnie ma pliku %2.\n"
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
        QObject::connect(pulpit.get(), &TPulpit::IndexShown, [] {
            qCDebug(lcStartup, "Indeks wyświetlony");
        });
        // Without a window manager a maximise request goes unanswered, so the frame takes
        // the screen's free area first.
        if (const QScreen *screen = pulpit->screen())
            pulpit->setGeometry(screen->availableGeometry());
        pulpit->showMaximized();
        if (splash && QGuiApplication::platformName() != u"offscreen")
            splash->raise();
        pulpit->btIndeksClick();
        searcher = std::make_unique<TfrmSearcher>();
        SetSearcher(searcher.get());
        // What comes after the start waits until the main window is active, so the frame
        // does not hand the activation back to the Index right after (bounded, for
        // platforms that never activate a window).
        auto *started = new QTimer(pulpit.get());
        started->setInterval(10);
        QObject::connect(started, &QTimer::timeout, pulpit.get(),
                         [&options, pulpit = pulpit.get(), started, tries = 0]() mutable {
                             if (!pulpit->isActiveWindow() && ++tries < 100)
                                 return;
                             started->deleteLater();
                             started->stop();
                             if (!options.openTyp.isEmpty()) {
                                 qCDebug(lcStartup, "Otwieranie %s %s", qUtf8Printable(options.openTyp),
                                         qUtf8Printable(options.openNumer));
                                 pulpit->OpenDocument(options.openTyp, options.openNumer);
                             }
                             if (options.quitAfterStart)
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
    return status;
}
