#pragma once

#include "QuotationDraw.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QPushButton;
class THTMLViewer;

// The quote of the day: a random quotation with its author and source, the next one at the
// press of a button, never one twice, and the choice whether to show the dialog at start-up.
class TfrmCytatDnia : public QDialog
{
    Q_OBJECT

public:
    static constexpr int HelpContext = 4080;

    // `showAtStart` is the current setting; the generator is the program's one. `showHelp`
    // shows a help topic by its number (F1, or the title bar's help button).
    TfrmCytatDnia(TPSSDirectory &directory, bool showAtStart, std::function<void(int)> showHelp,
                  QWidget *parent = nullptr);

    // The setting to store when the dialog closed with OK.
    bool ShowAtStart() const { return m_showAtStart; }

    void Button2Click();
    void Button1Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QuotationDraw m_quotations;
    bool m_showAtStart;
    bool m_shown = false;
    THTMLViewer *m_ht1;
    QCheckBox *m_checkDalej;
    QPushButton *m_button2;
    QPushButton *m_button1;
};
