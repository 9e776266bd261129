#pragma once

#include "TfrmWzorBazowy.h"

class QTabWidget;

// The Index window: the page control of the encyclopedia's categories, lists, panels,
// calendar, quiz and start page. It stays open for the whole run.
class TfrmIndeks : public TfrmWzorBazowy
{
    Q_OBJECT

public:
    // Page indexes, by which the start page's buttons and the page change address pages.
    enum Page {
        tsDziela, tsBiogramy, tsEpoki, tsBohaterowie, tsRodzaje, tsGatunki, tsTerminy,
        tsWypisy, tsCytaty, tsFilmografia, tsHistoria, tsKalendarium, tsQuiz, tsStart,
        PageCount
    };

    explicit TfrmIndeks(QWidget *parent = nullptr);

    QTabWidget *pcIndeks() const { return m_pages; }

protected:
    // The reader cannot close the Index; it goes when the main window does.
    void closeEvent(QCloseEvent *event) override;

private:
    QTabWidget *m_pages;
};
