#pragma once

#include "TIndexPanelPage.h"

#include <QString>

#include <span>

class TGlyphButton;

// A thematic panel: glyph-only buttons, each opening one fixed overview entry of the panel's
// category. A button carries a tag, and the tag, not the button, names the entry.
class TIndexThemePage : public TIndexPanelPage
{
    Q_OBJECT

public:
    struct Button
    {
        const char *name;
        int left, top, width, height;
        int tag;
        const char16_t *label; // what the glyph shows, said by a screen reader
    };
    struct Entry
    {
        int tag;
        const char *numer;
    };
    struct Definition
    {
        QString suffix; // the panel is "pn" + suffix, its background "im" + suffix
        int helpContext;
        QString typ; // the category the entries belong to
        std::span<const Button> buttons;
        std::span<const Entry> entries;
    };

    TIndexThemePage(const QString &name, const Definition &definition, QWidget *parent = nullptr);

    // In help mode the button's help; otherwise the entry of the button's tag, if any.
    void ButtonClick(TGlyphButton *button);

private:
    // The entry a tag opens, or an empty text for a tag the panel does not know.
    QString EntryFor(int tag) const;

    QString m_typ;
    std::span<const Entry> m_entries;
};
