#pragma once

#include "TfrmWzorDoc.h"

// The document window of excerpts from literature ("_19706").
class TfrmWypisy : public TfrmWzorDoc
{
    Q_OBJECT

public:
    explicit TfrmWypisy(QWidget *parent = nullptr);
    void LoadDocument(const QString &typ, const QString &numer) override;
};
