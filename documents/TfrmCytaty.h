#pragma once

#include "TfrmWzorDoc.h"

// The document window of quotations ("_19720").
class TfrmCytaty : public TfrmWzorDoc
{
    Q_OBJECT

public:
    explicit TfrmCytaty(QWidget *parent = nullptr);
    void LoadDocument(const QString &typ, const QString &numer) override;
};
