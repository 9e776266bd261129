#include "TfrmIndeks.h"

#include <QCloseEvent>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

struct PageInfo
{
    const char *name;
    const char16_t *caption;
};

constexpr PageInfo Pages[TfrmIndeks::PageCount] = {
    {"tsDziela", u"Dzieła"},          {"tsBiogramy", u"Twórcy"},
    {"tsEpoki", u"Epoki"},            {"tsBohaterowie", u"Bohaterowie"},
    {"tsRodzaje", u"Rodzaje"},        {"tsGatunki", u"Gatunki"},
    {"tsTerminy", u"Terminy"},        {"tsWypisy", u"Wypisy"},
    {"tsCytaty", u"Cytaty"},          {"tsFilmografia", u"Filmografia"},
    {"tsHistoria", u"Sztuka polska"}, {"tsKalendarium", u"Kalendarium"},
    {"tsQuiz", u"Quiz"},              {"tsStart", u"Wprowadzenie"},
};

} // namespace

TfrmIndeks::TfrmIndeks(QWidget *parent) : TfrmWzorBazowy(parent)
{
    setObjectName(QStringLiteral("frmIndeks"));
    setWindowTitle(QStringLiteral("Indeks"));
    setMinimumSize(460, 380);
    resize(620, 528);
    setProperty("helpContext", 4010);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("pcIndeks"));
    m_pages->setUsesScrollButtons(true);
    for (const PageInfo &info : Pages) {
        auto *page = new QWidget(m_pages);
        page->setObjectName(QLatin1String(info.name));
        m_pages->addTab(page, QString::fromUtf16(info.caption));
    }
    m_pages->setCurrentIndex(tsStart);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pages);
}

void TfrmIndeks::closeEvent(QCloseEvent *event)
{
    event->ignore();
}
