#pragma once

#include "TIndexPage.h"

class THTMLViewer;

// The filmography page: the table of the films' screen adaptations in an HTML view above its
// title bar, built afresh from the container at every visit.
class TIndexFilmographyPage : public TIndexPage
{
    Q_OBJECT

public:
    explicit TIndexFilmographyPage(const QString &name, QWidget *parent = nullptr);

    THTMLViewer *View() const { return m_view; }

    void BuildFilmography();

    void PageShown() override { BuildFilmography(); }
    void ApplyDocumentLook(const Preferences &prefs) override;

private:
    THTMLViewer *m_view;
};
