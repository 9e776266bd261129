#include "TIndexThemePage.h"

#include "TGlyphButton.h"
#include "TPulpit.h"

#include <QFrame>

#include <algorithm>

TIndexThemePage::TIndexThemePage(const QString &name, const Definition &definition, QWidget *parent)
    : TIndexPanelPage(name, definition.suffix, definition.helpContext, parent),
      m_typ(definition.typ), m_entries(definition.entries)
{
    for (const Button &info : definition.buttons) {
        auto *button = new TGlyphButton(Panel());
        button->setObjectName(QLatin1String(info.name));
        button->setGeometry(info.left, info.top, info.width, info.height);
        button->SetTag(info.tag);
        // The glyph shows the label; without a skin the plain face shows it as text.
        button->setText(QString::fromUtf16(info.label));
        button->setAccessibleName(button->text());
        button->setProperty("helpContext", definition.helpContext);
        connect(button, &QAbstractButton::clicked, this, [this, button] { ButtonClick(button); });
    }
}

QString TIndexThemePage::EntryFor(int tag) const
{
    const auto it = std::find_if(m_entries.begin(), m_entries.end(),
                                 [tag](const Entry &entry) { return entry.tag == tag; });
    return it == m_entries.end() ? QString() : QLatin1String(it->numer);
}

void TIndexThemePage::ButtonClick(TGlyphButton *button)
{
    TPulpit *pulpit = Pulpit();
    if (!pulpit || pulpit->HelpTest(button))
        return;
    const QString numer = EntryFor(button->Tag());
    if (!numer.isEmpty())
        pulpit->OpenDocument(m_typ, numer);
}
