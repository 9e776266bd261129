#include "CalendarLook.h"

#include <array>

namespace CalendarLook {

namespace {

struct Category
{
    const char16_t *button;
    const char16_t *legend;
};

// By category number; 15 belongs to no category.
constexpr std::array<Category, IconCount> Categories = {{
    {u"inne", u"inne"},
    {u"Balet", u"balet"},
    {u"Opera", u"opera"},
    {u"Inne dzieło muzyki poważnej", u"inne dzieło muzyki poważnej"},
    {u"Musical", u"musical"},
    {u"Muzyka rozrywkowa (w tym jazz)", u"muzyka rozrywkowa (w tym jazz)"},
    {u"Książka", u"książka"},
    {u"Książka wydana w Polsce poza cenzurą", u"książka wydana w Polsce poza cenzurą"},
    {u"Malarstwo", u"malarstwo"},
    {u"Rzeźba", u"rzeźba"},
    {u"Spektakl teatralny", u"spektakl teatralny"},
    {u"Architektura", u"architektura"},
    {u"Polityka", u"polityka"},
    {u"Ekonomia", u"ekonomia"},
    {u"Film", u"film"},
    {u"", u""},
    {u"Odkrycia i wynalazki", u"odkrycia i wynalazki"},
}};

} // namespace

QColor TypeColour(int type)
{
    switch (type) {
    case 1:
        return QColor(255, 160, 255);
    case 2:
        return QColor(128, 128, 255);
    case 3:
        return QColor(128, 255, 255);
    case 4:
        return QColor(0, 255, 128);
    default:
        return QColor(Qt::black);
    }
}

QString TypeLabel(int type)
{
    switch (type) {
    case 1:
        return QStringLiteral("Literatura polska");
    case 2:
        return QStringLiteral("Literatura światowa");
    case 3:
        return QStringLiteral("Kultura polska");
    case 4:
        return QStringLiteral("Kultura światowa");
    default:
        return QString();
    }
}

int ButtonCategory(int button)
{
    return button < CategoryButtonCount ? button - 1 : 16;
}

QString CategoryButtonLabel(int category)
{
    return category >= 0 && category < IconCount
               ? QString::fromUtf16(Categories[size_t(category)].button)
               : QString();
}

QString CategoryLegendLabel(int category)
{
    return category >= 0 && category < IconCount
               ? QString::fromUtf16(Categories[size_t(category)].legend)
               : QString();
}

QImage Icon(const QImage &imageList, int position)
{
    if (position < 0 || (position + 1) * IconSize > imageList.width() ||
        imageList.height() < IconSize)
        return QImage();
    return imageList.copy(position * IconSize, 0, IconSize, IconSize);
}

QImage TypeSwatch(int type)
{
    QImage swatch(IconSize, IconSize, QImage::Format_RGB32);
    swatch.fill(TypeColour(type));
    return swatch;
}

} // namespace CalendarLook
