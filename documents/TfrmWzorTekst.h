#pragma once

#include "TfrmWzorDoc.h"

namespace CategoryTable {
struct Category;
}

// The document window of every category that shows an entry's text under its heading: the
// look of the category's row at creation, then the caption and document of the category's
// template when loading. Each window answers to its row's class name ("TfrmDziela"), the
// name the tests and the dispatcher's registry know it by.
class TfrmWzorTekst : public TfrmWzorDoc
{
    Q_OBJECT

public:
    static TfrmWzorTekst *Create(const CategoryTable::Category &row, QWidget *parent = nullptr);
    void LoadDocument(const QString &typ, const QString &numer) override;

protected:
    TfrmWzorTekst(const CategoryTable::Category &row, QWidget *parent);
};
