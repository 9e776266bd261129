#include "LoadingGuard.h"

#include "Globals.h"
#include "TPulpit.h"
#include "TfrmSearcher.h"

#include <QApplication>
#include <QLabel>

LoadingGuard::LoadingGuard(const QString &text, int options) : m_options(options)
{
    if (m_options & Hourglass)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    if (m_options & Progress) {
        if (TfrmSearcher *searcher = Searcher()) {
            searcher->Label1()->setText(text);
            searcher->show();
            searcher->repaint();
        }
    }
    if (m_options & DisableMain) {
        if (TPulpit *pulpit = Pulpit())
            pulpit->setEnabled(false);
    }
}

LoadingGuard::~LoadingGuard()
{
    if (m_options & Progress) {
        if (TfrmSearcher *searcher = Searcher())
            searcher->hide();
    }
    if (m_options & DisableMain) {
        if (TPulpit *pulpit = Pulpit())
            pulpit->setEnabled(true);
    }
    if (m_options & Hourglass)
        QApplication::restoreOverrideCursor();
}
