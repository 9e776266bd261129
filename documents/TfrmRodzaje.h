#pragma once

#include "TfrmWzorTekst.h"

// The document window of literary kinds ("_19714").
class TfrmRodzaje : public TfrmWzorTekst
{
    Q_OBJECT

public:
    explicit TfrmRodzaje(QWidget *parent = nullptr)
        : TfrmWzorTekst({"frmRodzaje", QColor(255, 180, 150), Qt::black, QColor(0, 0, 255), false, false}, parent)
    {
    }
};
