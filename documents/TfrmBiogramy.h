#pragma once

#include "TfrmWzorTekst.h"

// The document window of biographies of writers ("_19702").
class TfrmBiogramy : public TfrmWzorTekst
{
    Q_OBJECT

public:
    explicit TfrmBiogramy(QWidget *parent = nullptr)
        : TfrmWzorTekst({"frmBiogramy", QColor(192, 176, 160), Qt::black, QColor(0, 0, 255), false, false}, parent)
    {
    }
};
