#pragma once

#include "TfrmWzorDoc.h"

// The document window of literary heroes ("_19799").
class TfrmBohater : public TfrmWzorDoc
{
    Q_OBJECT

public:
    explicit TfrmBohater(QWidget *parent = nullptr);
    void LoadDocument(const QString &typ, const QString &numer) override;
};
