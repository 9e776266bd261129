#pragma once

#include "TfrmWzorTekst.h"

// The document window of quotations ("_19720").
class TfrmCytaty : public TfrmWzorTekst
{
    Q_OBJECT

public:
    explicit TfrmCytaty(QWidget *parent = nullptr)
        : TfrmWzorTekst({"frmCytaty", QColor(255, 255, 160), Qt::black, QColor(0, 0, 255), false, false}, parent)
    {
    }
};
