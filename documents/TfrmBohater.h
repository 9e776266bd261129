#pragma once

#include "TfrmWzorTekst.h"

// The document window of literary heroes ("_19799").
class TfrmBohater : public TfrmWzorTekst
{
    Q_OBJECT

public:
    explicit TfrmBohater(QWidget *parent = nullptr)
        : TfrmWzorTekst({"frmBohater", Qt::white, Qt::black, QColor(0, 0, 255), true, false}, parent)
    {
    }
};
