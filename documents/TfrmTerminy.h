#pragma once

#include "TfrmWzorTekst.h"

// The document window of literary terms ("_19705").
class TfrmTerminy : public TfrmWzorTekst
{
    Q_OBJECT

public:
    explicit TfrmTerminy(QWidget *parent = nullptr)
        : TfrmWzorTekst({"frmTerminy", QColor(0, 64, 64), Qt::white, QColor(255, 255, 0), false, false}, parent)
    {
    }
};
