#include "LoadingGuard.h"

#include "TPulpit.h"
#include "TfrmSearcher.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>

LoadingGuard::LoadingGuard(const QString &text, int options) : m_options(options)
{
    if (m_options & Hourglass)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    if (m_options & Progress) {
        if (TfrmSearcher *searcher = Searcher()) {
            searcher->Label2()->setText(text);
            if (m_options & ProgressBar) {
                searcher->ProgressBar1()->setValue(0);
                searcher->ProgressBar1()->show();
            }
            searcher->show();
            searcher->repaint();
        }
    }
    if (m_options & DisableMain) {
        if (TPulpit *pulpit = Pulpit()) {
            m_focus = QApplication::focusWidget();
            pulpit->setEnabled(false);
        }
    }
}

LoadingGuard::~LoadingGuard()
{
    if (m_options & Progress) {
        if (TfrmSearcher *searcher = Searcher()) {
            searcher->hide();
            searcher->ProgressBar1()->hide();
        }
    }
    if (m_options & DisableMain) {
        if (TPulpit *pulpit = Pulpit()) {
            pulpit->setEnabled(true);
            // Disabling took the keys from the control that had them; enabling gives them
            // to one of Qt's choosing. They go back where they were.
            if (m_focus && m_focus->isVisible() && m_focus->isEnabled())
                m_focus->setFocus(Qt::OtherFocusReason);
        }
    }
    if (m_options & Hourglass)
        QApplication::restoreOverrideCursor();
}
