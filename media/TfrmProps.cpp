#include "TfrmProps.h"

#include "DialogHelp.h"
#include "THTMLViewer.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

constexpr int ClientWidth = 337;
constexpr int ClientHeight = 303;

// A spin edit changed by its arrows only.
QSpinBox *spinEdit(const QString &name, int minimum, int maximum, int value, QWidget *parent)
{
    auto *spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(minimum, maximum);
    spin->setValue(value);
    // The arrows and the keys still step it; its text takes no typing.
    spin->findChild<QLineEdit *>()->setReadOnly(true);
    return spin;
}

} // namespace

TfrmProps::TfrmProps(const Values &current, std::function<void(int)> showHelp, QWidget *parent)
    : QDialog(parent), m_result(current)
{
    setObjectName(QStringLiteral("frmProps"));
    setWindowTitle(QStringLiteral("Verbarium - Ustawienia programu"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    new DialogHelp(this, HelpContext, std::move(showHelp));
    FormCreate();
    FormShow();
}

void TfrmProps::FormCreate()
{
    auto *groupBox1 = new QGroupBox(QStringLiteral("Czcionki w dokumentach"), this);
    groupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto *label1 = new QLabel(QStringLiteral("&Nazwa:"), groupBox1);
    label1->setObjectName(QStringLiteral("Label1"));
    m_fontBox = new QComboBox(groupBox1);
    m_fontBox->setObjectName(QStringLiteral("FontBox"));
    const QStringList families = QFontDatabase::families();
    for (const QString &family : families) {
        if (!QFontDatabase::isPrivateFamily(family))
            m_fontBox->addItem(family);
    }
    label1->setBuddy(m_fontBox);
    auto *label2 = new QLabel(QStringLiteral("&Wielkość:"), groupBox1);
    label2->setObjectName(QStringLiteral("Label2"));
    m_fontSize = spinEdit(QStringLiteral("FontSize"), 6, 24, 10, groupBox1);
    label2->setBuddy(m_fontSize);
    m_preview = new THTMLViewer(groupBox1);
    m_preview->setObjectName(QStringLiteral("HT1"));
    m_preview->setAccessibleName(QStringLiteral("Podgląd czcionki"));
    m_preview->setFrameShape(QFrame::Box);
    m_preview->setFrameShadow(QFrame::Plain);
    m_preview->SetViewImages(false);
    m_preview->SetDefFontName(QStringLiteral("Times New Roman"));
    m_preview->LoadStrings(
        {QStringLiteral("Przykładowy tekst w oknie dokumentu. Możesz zmienić typ czcionki i jej "
                        "wielkość (w zakresie (6-24 pkt.).<br>ąćęłóńśżź ĄĆĘŁÓŃŚŻŹ")});
    auto *fonts = new QGridLayout(groupBox1);
    fonts->addWidget(label1, 0, 0);
    fonts->addWidget(m_fontBox, 0, 1);
    fonts->addWidget(label2, 0, 2);
    fonts->addWidget(m_fontSize, 0, 3);
    fonts->addWidget(m_preview, 1, 0, 1, 4);
    fonts->setColumnStretch(1, 1);

    m_indeksGroup = new QGroupBox(QStringLiteral("Wygląd okna indeksu"), this);
    m_indeksGroup->setObjectName(QStringLiteral("IndeksGroup"));
    m_indeksItems = new QButtonGroup(m_indeksGroup);
    auto *items = new QVBoxLayout(m_indeksGroup);
    const QString captions[] = {
        QStringLiteral("&Etykiety w jednej linii"), QStringLiteral("E&tykiety w wielu liniach"),
        QStringLiteral("Et&ykiety w wielu liniach, przeskakujące (góra-dół)")};
    for (int i = 0; i < 3; ++i) {
        auto *item = new QRadioButton(captions[i], m_indeksGroup);
        m_indeksItems->addButton(item, i);
        items->addWidget(item);
    }

    auto *groupBox2 = new QGroupBox(QStringLiteral("Opcje dodatkowe"), this);
    groupBox2->setObjectName(QStringLiteral("GroupBox2"));
    auto *label3 = new QLabel(QStringLiteral("&Maksymalna ilość jednocześnie otwartych dokumentów"),
                              groupBox2);
    label3->setObjectName(QStringLiteral("Label3"));
    label3->setWordWrap(true);
    m_docCount = spinEdit(QStringLiteral("seDocCount"), 3, 12, 12, groupBox2);
    label3->setBuddy(m_docCount);
    m_pokazuj = new QCheckBox(QStringLiteral("&Pokazuj \"cytat dnia\" przy uruchomieniu programu"),
                              groupBox2);
    m_pokazuj->setObjectName(QStringLiteral("CheckPokazuj"));
    m_autorun =
        new QCheckBox(QStringLiteral("Uruchamiaj \"Autostart\" po włożeniu płyty"), groupBox2);
    m_autorun->setObjectName(QStringLiteral("CheckAutorun"));
    auto *extra = new QGridLayout(groupBox2);
    extra->addWidget(label3, 0, 0);
    extra->addWidget(m_docCount, 0, 1);
    extra->addWidget(m_pokazuj, 1, 0, 1, 2);
    extra->addWidget(m_autorun, 2, 0, 1, 2);
    extra->setColumnStretch(0, 1);

    m_ok = new QPushButton(QStringLiteral("&OK"), this);
    m_ok->setObjectName(QStringLiteral("Button1"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("&Zaniechaj"), this);
    m_cancel->setObjectName(QStringLiteral("Button2"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(groupBox1, 1);
    layout->addWidget(m_indeksGroup);
    layout->addWidget(groupBox2);
    layout->addLayout(buttons);
    resize(ClientWidth, ClientHeight);

    // The preview follows the font box and the size at once.
    connect(m_fontBox, &QComboBox::currentIndexChanged, this, &TfrmProps::FontBoxChange);
    connect(m_fontSize, &QSpinBox::valueChanged, this, &TfrmProps::FontBoxChange);
    connect(m_ok, &QPushButton::clicked, this, &TfrmProps::Button1Click);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmProps::FormShow()
{
    const Values &v = m_result;
    // The box holds the installed spelling of the name; a font that is not installed stays
    // as it is, so that OK alone does not change it.
    int font = m_fontBox->findText(v.fontName, Qt::MatchFixedString);
    if (font < 0) {
        m_fontBox->insertItem(0, v.fontName);
        font = 0;
    }
    const QSignalBlocker fontSignals(m_fontBox);
    const QSignalBlocker sizeSignals(m_fontSize);
    m_fontBox->setCurrentIndex(font);
    m_fontSize->setValue(v.fontSize);
    m_preview->SetDefFontName(v.fontName);
    m_preview->SetDefFontSize(v.fontSize);
    // A stored layout out of range (the settings file edited by hand, say) shows the default,
    // so that one button is always checked and OK stores a layout there is.
    const int layout = m_indeksItems->button(v.indexLayout) ? v.indexLayout : Values().indexLayout;
    m_indeksItems->button(layout)->setChecked(true);
    m_pokazuj->setChecked(v.showQuote);
    m_docCount->setValue(v.docCount);
    m_autorun->setChecked(v.autorun);
}

void TfrmProps::FontBoxChange()
{
    m_preview->SetDefFontName(m_fontBox->currentText());
    m_preview->SetDefFontSize(m_fontSize->value());
}

void TfrmProps::Button1Click()
{
    m_result.fontName = m_fontBox->currentText();
    m_result.fontSize = m_fontSize->value();
    m_result.indexLayout = m_indeksItems->checkedId();
    m_result.showQuote = m_pokazuj->isChecked();
    m_result.docCount = m_docCount->value();
    m_result.autorun = m_autorun->isChecked();
    accept();
}

void TfrmProps::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_centred) {
        m_centred = true;
        m_ok->setFocus();
        if (const QScreen *s = screen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(s->availableGeometry().center());
            move(frame.topLeft());
        }
    }
}
