#pragma once

#include "TfrmWzorTekst.h"

// The document window of Polish art, first kind ("_19712").
class TfrmSztuka : public TfrmWzorTekst
{
    Q_OBJECT

public:
    explicit TfrmSztuka(QWidget *parent = nullptr)
        : TfrmWzorTekst({"frmSztuka", Qt::white, Qt::black, QColor(0, 0, 255), false, false}, parent)
    {
    }
};
