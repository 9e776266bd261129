#include "Application.h"

#include "MessageBoxes.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <exception>

Application::Application(int &argc, char **argv) : QApplication(argc, argv)
{
    // The program speaks Polish whatever the desktop's language, Qt's own dialogs and buttons
    // too. Without the translations installed they stay in English.
    auto *qtTexts = new QTranslator(this);
    if (qtTexts->load(QLocale(QLocale::Polish, QLocale::Poland), QStringLiteral("qtbase"),
                      QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(qtTexts);
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &e) {
        // ContentError's text is its message in UTF-8, like every other error here.
        MessageBoxes::showError(nullptr, QString::fromUtf8(e.what()));
    }
    return false;
}
