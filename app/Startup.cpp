#include "Startup.h"

#include "ContentError.h"
#include "DocumentClasses.h"
#include "Globals.h"
#include "MessageBoxes.h"
#include "TData.h"
#include "TPulpit.h"
#include "TfrmIndeks.h"
#include "TfrmSearcher.h"
#include "TfrmSplasher.h"

#include <QApplication>
#include <QCommandLineParser>
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
    QPointer<TfrmSplasher> splash = new TfrmSplasher;
    splash->show();
    QCoreApplication::processEvents();

    QApplication::setApplicationDisplayName(QStringLiteral("Verbarium"));
    TPulpit::Environment environment;
    environment.settings = &settings;
    environment.splash = splash;
    auto pulpit = std::make_unique<TPulpit>(environment);
    SetPulpit(pulpit.get());
    RegisterDocumentClasses(*pulpit);
    pulpit->RegisterIndexClass([] { return new TfrmIndeks; });

    int status = 0;
    auto data = std::make_unique<TData>(settings, volumes, TData::Options{options.dataFolder, {}, {}});
    SetData(data.get());
    if (splash)
        splash->SetStatus(QStringLiteral("Otwieranie baz danych..."));

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
                             if (!options.openTyp.isEmpty())
                                 pulpit->OpenDocument(options.openTyp, options.openNumer);
                             if (options.quitAfterStart)
                                 QTimer::singleShot(0, pulpit, &QWidget::close);
                         });
        started->start();
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
