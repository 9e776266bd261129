#include "TRelatedEntryBar.h"

#include "AppIcons.h"
#include "CategoryTable.h"
#include "Globals.h"
#include "LinkMenu.h"
#include "TPSSDirectory.h"
#include "TPulpit.h"
#include "TScrollBanner.h"
#include "TToolbarButton97.h"
#include "TextLines.h"

#include <QAction>
#include <QLinearGradient>
#include <QPainter>
#include <QResizeEvent>

namespace {

constexpr int HelpContext = 4030;
constexpr int BarHeight = 38;
constexpr int ButtonWidth = 44;
constexpr int ButtonHeight = 34;
constexpr int ButtonPitch = 46;
constexpr int IconSide = 30;

struct ButtonInfo
{
    const char *name;
    const char16_t *hint;
    const QString *typ;      // null: no related category
    const char16_t *caption; // caption field of the linked entries
};

const ButtonInfo Buttons[TRelatedEntryBar::ButtonCount] = {
    {"btDziela", u"Powiązane dzieła", &CategoryTable::Works, u"Tytuł"},
    {"btBiogramy", u"Powiązane biogramy", &CategoryTable::Biographies, u"Autor"},
    {"btEpoki", u"Powiązane epoki literackie", &CategoryTable::Epochs, u"Epoka"},
    {"btRodzaje", u"Powiązane rodzaje literackie", &CategoryTable::Kinds, u"Rodzaj"},
    {"btGatunki", u"Powiązane gatunki literackie", &CategoryTable::Genres, u"Gatunek"},
    {"btWypisy", u"Powiązane wypisy z literatury", &CategoryTable::Excerpts, u"Fagment_disp"},
    {"btCytaty", u"Powiązane cytaty", &CategoryTable::Quotations, u"Źródło"},
    {"btWypowiedz", u"Powiązane fragmenty dźwiękowe", &CategoryTable::Sounds, u"Tytuł"},
    {"btIlustracje", u"Powiązane ilustracje", nullptr, u""},
    {"btBohaterowie", u"Powiązani bohaterowie literaccy", &CategoryTable::Characters, u"Nazwa"},
};

} // namespace

TRelatedEntryBar::TRelatedEntryBar(QWidget *document) : QWidget(document), m_document(document)
{
    setObjectName(QStringLiteral("Panel1"));
    setProperty("helpContext", HelpContext);
    setFixedHeight(BarHeight);
    for (int i = 0; i < ButtonCount; ++i) {
        const ButtonInfo &info = Buttons[i];
        auto *button = new TToolbarButton97(this);
        button->setObjectName(QLatin1String(info.name));
        const QString hint = QString::fromUtf16(info.hint);
        button->setToolTip(hint);
        button->setStatusTip(hint);
        button->setAccessibleName(hint);
        // The illustrations button, which links no list, still shows the illustrations' picture.
        button->setIcon(AppIcons::Category(info.typ ? *info.typ : CategoryTable::Illustrations));
        button->setIconSize(QSize(IconSide, IconSide));
        button->setAutoRaise(true);
        button->setPopupMode(QToolButton::InstantPopup);
        button->setGeometry(2, 2, ButtonWidth, ButtonHeight);
        button->setCursor(Qt::PointingHandCursor);
        button->hide();
        m_buttons[i] = button;
    }
}

void TRelatedEntryBar::load(const QStringList &fields, TPSSDirectory &directory)
{
    for (int i = 0; i < ButtonCount; ++i) {
        const ButtonInfo &info = Buttons[i];
        const QString code = info.typ ? *info.typ : QString();
        if (code.isEmpty())
            continue;
        const auto button = Button(i);
        const auto handler = [this, button](QAction *item) {
            if (button == btWypowiedz)
                recordingChosen(item);
            else
                entryChosen(button, item);
        };
        LinkMenu::BuildMenu(m_links[i], code, TextLines::fieldValue(fields, code), handler,
                            m_document, QString::fromUtf16(info.caption), m_buttons[i], directory);
    }
}

void TRelatedEntryBar::applyLook(const QColor &back, const QColor &text)
{
    m_endColor = back;
    update();
    int visible = 0;
    for (QToolButton *button : m_buttons) {
        if (button->isHidden())
            continue;
        button->move(2 + ButtonPitch * visible, button->y());
        button->setCursor(Qt::PointingHandCursor);
        QPalette pal = button->palette();
        pal.setColor(QPalette::ButtonText, text);
        button->setPalette(pal);
        ++visible;
    }
    setVisible(visible > 0);
}

void TRelatedEntryBar::hideGradient()
{
    m_gradient = false;
    update();
}

void TRelatedEntryBar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    if (!m_gradient) {
        p.fillRect(rect(), Qt::black);
        return;
    }
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0, Qt::black);
    gradient.setColorAt(1, m_endColor);
    p.fillRect(rect(), gradient);
}

void TRelatedEntryBar::enableBanner()
{
    if (m_banner)
        return;
    m_banner = new TScrollBanner(this);
    m_banner->setObjectName(QStringLiteral("PM1"));
    m_banner->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TRelatedEntryBar::layoutBanner()
{
    if (!m_banner)
        return;
    const int h = TScrollBanner::SampleTextHeight();
    m_banner->setGeometry(0, 0, width(), h);
    setFixedHeight(h + 34);
    for (QToolButton *button : m_buttons)
        button->move(button->x(), h + 2);
}

void TRelatedEntryBar::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_banner)
        m_banner->resize(width(), m_banner->height());
}

void TRelatedEntryBar::entryChosen(Button button, QAction *item)
{
    TPulpit *pulpit = Pulpit();
    if (!pulpit || pulpit->HelpTest(item))
        return;
    QString typ, numer;
    if (m_links[button].GetLink(item->data().toInt(), typ, numer))
        pulpit->OpenDocument(typ, numer);
}

void TRelatedEntryBar::recordingChosen(QAction *item)
{
    TPulpit *pulpit = Pulpit();
    if (!pulpit || pulpit->HelpTest(item))
        return;
    QString typ, numer;
    if (!m_links[btWypowiedz].GetLink(item->data().toInt(), typ, numer))
        return;
    QStringList fields;
    if (!Directory() || !Directory()->ReadFields(CategoryTable::Sounds, numer, fields))
        return;
    const QString name = TextLines::fieldValue(fields, u"Link");
    pulpit->PlayNarration(QStringLiteral("Glosy"), name);
    Q_EMIT soundPlayed(name);
}
