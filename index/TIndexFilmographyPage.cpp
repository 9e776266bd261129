#include "TIndexFilmographyPage.h"

#include "Filmography.h"
#include "Globals.h"
#include "HelpClicks.h"
#include "LoadingGuard.h"
#include "ReportingErrors.h"
#include "SettingsStore.h"
#include "THTMLViewer.h"
#include "TPSSDirectory.h"

namespace {
constexpr int FilmographyHelpContext = 4019;
}

TIndexFilmographyPage::TIndexFilmographyPage(const QString &name, QWidget *parent)
    : TIndexPage(name, parent)
{
    m_view = new THTMLViewer(this);
    m_view->setObjectName(QStringLiteral("HTFilmografia"));
    m_view->setAccessibleName(QStringLiteral("Zestawienie ekranizacji"));
    m_view->SetDefFontName(QStringLiteral("Arial"));
    m_view->SetDefFontSize(10);
    m_view->SetViewImages(false);
    m_view->SetHelpContext(FilmographyHelpContext);
    m_view->setProperty("helpContext", FilmographyHelpContext);
    Help()->watch(m_view->viewport(), m_view);
    SetBody(m_view, QStringLiteral("Filmografia"),
            QStringLiteral("Zestawienie ekranizacji dzieł literatury polskiej"));
}

void TIndexFilmographyPage::BuildFilmography()
{
    TPSSDirectory *directory = Directory();
    if (!directory)
        return;
    ReportingErrors([this, directory] {
        const LoadingGuard loading(QStringLiteral("Trwa ładowanie danych..."));
        m_view->LoadStrings(Filmography::Build(*directory));
    });
}

void TIndexFilmographyPage::ApplyDocumentLook(const Preferences &prefs)
{
    m_view->SetDefFontName(prefs.docFont);
    m_view->SetDefFontSize(prefs.docFontSize);
}
