#pragma once

#include "TfrmWzorDoc.h"

// The document window of works ("_19701").
class TfrmDziela : public TfrmWzorDoc
{
    Q_OBJECT

public:
    explicit TfrmDziela(QWidget *parent = nullptr);
    void LoadDocument(const QString &typ, const QString &numer) override;
};
