#pragma once

#include "TfrmWzorDoc.h"

// The document window of literary terms ("_19705").
class TfrmTerminy : public TfrmWzorDoc
{
    Q_OBJECT

public:
    explicit TfrmTerminy(QWidget *parent = nullptr);
    void LoadDocument(const QString &typ, const QString &numer) override;
};
