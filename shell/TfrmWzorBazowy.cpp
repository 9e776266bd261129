#include "TfrmWzorBazowy.h"

#include "TPulpit.h"

#include <QCloseEvent>

TfrmWzorBazowy::TfrmWzorBazowy(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

void TfrmWzorBazowy::SetTyp(const QString &typ)
{
    if (typ != m_typ)
        m_typ = typ;
}

void TfrmWzorBazowy::SetNumer(const QString &numer)
{
    if (numer != m_numer)
        m_numer = numer;
}

void TfrmWzorBazowy::LoadDocument(const QString &, const QString &) {}

void TfrmWzorBazowy::closeEvent(QCloseEvent *event)
{
    if (IsLoading()) {
        event->ignore();
        return;
    }
    if (TPulpit *pulpit = Pulpit())
        pulpit->ForgetWindow(m_typ, m_numer);
    event->accept();
}
