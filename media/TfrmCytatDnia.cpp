#include "TfrmCytatDnia.h"

#include "AppIcons.h"
#include "DialogHelp.h"
#include "LcgRandom.h"
#include "TFindBar.h"
#include "THTMLViewer.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmCytatDnia::TfrmCytatDnia(TPSSDirectory &directory, bool showAtStart,
                             std::function<void(int)> showHelp, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                          Qt::WindowCloseButtonHint | Qt::WindowTitleHint),
      m_quotations(directory, LcgRandom::program()), m_showAtStart(showAtStart)
{
    LcgRandom::program().Randomize();
    setObjectName(QStringLiteral("frmCytatDnia"));
    setWindowTitle(QStringLiteral("Cytat dnia"));
    setWindowIcon(AppIcons::Program());
    setFixedSize(439, 232);
    new DialogHelp(this, HelpContext, std::move(showHelp));

    auto *image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setGeometry(8, 8, 32, 32);
    image->setPixmap(AppIcons::Program().pixmap(32, 32));

    // The quotation, with the find bar under it when that is open.
    auto *text = new QWidget(this);
    text->setGeometry(40, 0, 397, 197);
    m_ht1 = new THTMLViewer(text);
    m_ht1->setObjectName(QStringLiteral("HT1"));
    m_ht1->setFrameShape(QFrame::Box);
    m_ht1->SetViewImages(false);
    m_ht1->SetDefFontName(QStringLiteral("Arial"));
    m_ht1->SetDefFontSize(10);
    m_ht1->SetDefBackground(QColor(0xff, 0xff, 0xa0)); // 10551295 as a Windows colour
    m_ht1->setFocusPolicy(Qt::ClickFocus);
    auto *textLayout = new QVBoxLayout(text);
    textLayout->setContentsMargins(0, 0, 0, 0);
    textLayout->setSpacing(0);
    textLayout->addWidget(m_ht1, 1);
    textLayout->addWidget(new TFindBar(m_ht1, this, text));

    m_checkDalej = new QCheckBox(QStringLiteral("Nie pokazuj więcej tego okna"), this);
    m_checkDalej->setObjectName(QStringLiteral("CheckDalej"));
    m_checkDalej->setGeometry(8, 204, 220, 22);
    m_checkDalej->setChecked(!showAtStart);

    m_button2 = new QPushButton(QStringLiteral("&Następny >"), this);
    m_button2->setObjectName(QStringLiteral("Button2"));
    m_button2->setGeometry(264, 202, 84, 25);
    m_button2->setAutoDefault(false);
    connect(m_button2, &QPushButton::clicked, this, &TfrmCytatDnia::Button2Click);

    m_button1 = new QPushButton(QStringLiteral("&OK"), this);
    m_button1->setObjectName(QStringLiteral("Button1"));
    m_button1->setGeometry(352, 202, 84, 25);
    m_button1->setDefault(true);
    connect(m_button1, &QPushButton::clicked, this, &TfrmCytatDnia::Button1Click);

    setTabOrder(m_button1, m_checkDalej);
    setTabOrder(m_checkDalej, m_button2);
    m_button1->setFocus();
}

void TfrmCytatDnia::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The first quotation comes with the dialog; showing it again (after a minimise) draws none.
    if (!m_shown) {
        m_shown = true;
        Button2Click();
    }
}

void TfrmCytatDnia::Button2Click()
{
    if (const std::optional<QStringList> page = m_quotations.Next())
        m_ht1->LoadStrings(*page);
    m_button2->setEnabled(m_quotations.Remaining() > 0);
}

void TfrmCytatDnia::Button1Click()
{
    m_showAtStart = !m_checkDalej->isChecked();
    accept();
}
