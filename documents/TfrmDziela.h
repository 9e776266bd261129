#pragma once

#include "TfrmWzorTekst.h"

// The document window of works ("_19701").
class TfrmDziela : public TfrmWzorTekst
{
    Q_OBJECT

public:
    explicit TfrmDziela(QWidget *parent = nullptr)
        : TfrmWzorTekst({"frmDziela", QColor(0, 0, 64), Qt::white, QColor(255, 0, 0), false, true}, parent)
    {
    }
};
