#include "TfrmWzorTekst.h"

#include "CategoryTable.h"
#include "THTMLViewer.h"

#include <QScopeGuard>

#include <cstring>
#include <map>
#include <memory>
#include <vector>

namespace {

// The meta-object of a class named after a row and derived from TfrmWzorTekst with nothing
// of its own: TfrmWzorTekst's, with the superclass and the string table replaced. The table
// is laid out as moc lays it out: the offset and length of each string (here only the class
// name), then the strings.
class RowMetaObject
{
public:
    explicit RowMetaObject(const QString &className)
    {
        const QByteArray name = className.toLatin1();
        m_strings.resize(2 + (size_t(name.size()) + sizeof(uint)) / sizeof(uint));
        m_strings[0] = 2 * sizeof(uint);
        m_strings[1] = uint(name.size());
        std::memcpy(m_strings.data() + 2, name.constData(), size_t(name.size()));
        m_meta = TfrmWzorTekst::staticMetaObject;
        m_meta.d.superdata = &TfrmWzorTekst::staticMetaObject;
        m_meta.d.stringdata = m_strings.data();
    }
    const QMetaObject *meta() const { return &m_meta; }

private:
    std::vector<uint> m_strings;
    QMetaObject m_meta;
};

const QMetaObject *metaObjectNamed(const QString &className)
{
    // Windows are made on the GUI thread only.
    static std::map<QString, std::unique_ptr<RowMetaObject>> made;
    std::unique_ptr<RowMetaObject> &slot = made[className];
    if (!slot)
        slot = std::make_unique<RowMetaObject>(className);
    return slot->meta();
}

class RowWindow final : public TfrmWzorTekst
{
public:
    RowWindow(const CategoryTable::Category &row, QWidget *parent)
        : TfrmWzorTekst(row, parent), m_meta(metaObjectNamed(row.windowClass))
    {
    }
    const QMetaObject *metaObject() const override { return m_meta; }

private:
    const QMetaObject *m_meta;
};

} // namespace

TfrmWzorTekst *TfrmWzorTekst::Create(const CategoryTable::Category &row, QWidget *parent)
{
    return new RowWindow(row, parent);
}

TfrmWzorTekst::TfrmWzorTekst(const CategoryTable::Category &row, QWidget *parent)
    : TfrmWzorDoc(parent)
{
    setObjectName(row.designName);
    setWindowTitle(row.designName);
    if (row.look.banner)
        EnableBanner();
    SetBackColor(QColor::fromRgb(row.look.back));
    SetTextColor(QColor::fromRgb(row.look.text));
    SetLinkColor(QColor::fromRgb(row.look.link));
    HT1()->SetViewImages(row.look.images);
}

void TfrmWzorTekst::LoadDocument(const QString &typ, const QString &numer)
{
    // However the loading ends, a read error included, the window can close afterwards.
    const auto loaded = qScopeGuard([this] { SetBusy(false); });
    TfrmWzorDoc::LoadDocument(typ, numer);
    LoadCategoryDocument(typ, numer);
}
