#pragma once

#include "TfrmWzorTekst.h"

// The document window of Polish art, second kind ("_19713").
class TfrmSztuka2 : public TfrmWzorTekst
{
    Q_OBJECT

public:
    explicit TfrmSztuka2(QWidget *parent = nullptr)
        : TfrmWzorTekst({"frmSztuka2", Qt::white, Qt::black, QColor(0, 0, 255), false, false}, parent)
    {
    }
};
