#pragma once

#include "TfrmWzorTekst.h"

// The document window of excerpts from literature ("_19706").
class TfrmWypisy : public TfrmWzorTekst
{
    Q_OBJECT

public:
    explicit TfrmWypisy(QWidget *parent = nullptr)
        : TfrmWzorTekst({"frmWypisy", QColor(255, 255, 160), Qt::black, QColor(0, 0, 255), true, false}, parent)
    {
    }
};
