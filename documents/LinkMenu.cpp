#include "LinkMenu.h"

#include "TLinkList.h"
#include "TPSSDirectory.h"
#include "TextLines.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>
#include <QToolTip>

namespace {

constexpr qsizetype CaptionLength = 40;

QString menuCaption(const QString &value)
{
    if (value.size() < CaptionLength)
        return value;
    return value.first(CaptionLength) + QStringLiteral("...");
}

} // namespace

namespace LinkMenu {

void BuildMenu(TLinkList &links, const QString &typ, const QString &value,
               const std::function<void(QAction *)> &handler, QWidget *window,
               const QString &captionField, QToolButton *button, TPSSDirectory &directory)
{
    if (links.LoadFromValue(typ, value) == 0) {
        button->hide();
        return;
    }
    button->show();

    auto *menu = new QMenu(window);
    // Said by a screen reader as the menu opens.
    menu->setTitle(button->toolTip());
    for (int i = 0; i < links.Count(); ++i) {
        QString linkTyp;
        QString numer;
        links.GetLink(i, linkTyp, numer);
        QStringList fields;
        if (!directory.ReadFields(linkTyp, numer, fields))
            continue;
        const QString caption = TextLines::fieldValue(fields, captionField);
        auto *action = new QAction(menuCaption(caption), window);
        // The link's index, not the item's position: the handler asks the list for it.
        action->setData(i);
        action->setStatusTip(captionField + QStringLiteral(": ") + caption);
        // Chosen by a screen reader's command, the item is triggered with the menu still up;
        // it goes as it does after a key press, its hint with it, before the entry opens.
        QObject::connect(action, &QAction::triggered, window, [handler, action, menu] {
            menu->hide();
            QToolTip::hideText();
            handler(action);
        });
        menu->addAction(action);
    }
    SortMenuByCaption(menu);

    button->setMenu(menu);
    button->setPopupMode(QToolButton::InstantPopup);
    // Pressing the button only drops the menu down; whatever its click was wired to
    // before no longer runs.
    QObject::disconnect(button, &QToolButton::clicked, nullptr, nullptr);
}

void SortMenuByCaption(QMenu *menu)
{
    QList<QAction *> items = menu->actions();
    if (items.size() < 2)
        return;
    bool moved = false;
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (qsizetype i = 0; i + 1 < items.size(); ++i) {
            if (CaptionLess(items[i + 1]->text(), items[i]->text())) {
                items.swapItemsAt(i, i + 1);
                swapped = moved = true;
            }
        }
    }
    if (!moved)
        return;
    // Taking the items out and putting them back in order keeps them alive: they belong to
    // the window, not to the menu.
    for (QAction *action : std::as_const(items))
        menu->removeAction(action);
    menu->addActions(items);
}

} // namespace LinkMenu
