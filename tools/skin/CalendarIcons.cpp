#include "CalendarIcons.h"

#include "Emblem.h"
#include "GlyphStrip.h"

#include <QPainter>

#include <array>

namespace CalendarIcons {

namespace {

struct Design
{
    QRgb tile;
    Emblem::Kind emblem; // drawn when set, otherwise the sign
    const char16_t *sign;
};

// By category number. Each has a tile colour of its own, so the icons differ at a glance
// even where two signs look alike.
constexpr std::array<Design, IconCount> Designs = {{
    {0xff6b6b6b, Emblem::Question, u""}, // inne
    {0xffc2185b, Emblem::Person, u""},   // balet
    {0xff7b1fa2, Emblem::None, u"♬"},    // opera
    {0xff303f9f, Emblem::None, u"♩"},    // inne dzieło muzyki poważnej
    {0xffe65100, Emblem::None, u"♪"},    // musical
    {0xff0277bd, Emblem::None, u"♫"},    // muzyka rozrywkowa
    {0xff2e7d32, Emblem::Book, u""},     // książka
    {0xffb71c1c, Emblem::Books, u""},    // książka wydana poza cenzurą
    {0xffef6c00, Emblem::Palette, u""},  // malarstwo
    {0xff5d4037, Emblem::None, u"⚱"},    // rzeźba
    {0xff880e4f, Emblem::Mask, u""},     // spektakl teatralny
    {0xff455a64, Emblem::None, u"⌂"},    // architektura
    {0xff1a237e, Emblem::None, u"⚖"},    // polityka
    {0xff827717, Emblem::None, u"zł"},   // ekonomia
    {0xff212121, Emblem::Film, u""},     // film
    {0xffbdbdbd, Emblem::None, u""},     // no category
    {0xff00695c, Emblem::None, u"⚛"},    // odkrycia i wynalazki
}};

// The category buttons stand on the page's plain light ground.
constexpr QRgb ButtonGround = 0xffefefef;

GlyphStrip::FacePainter iconFace(int category)
{
    return [category](QPainter &painter, QSize size, const GlyphStrip::Look &look) {
        const QRectF frame =
            QRectF(0.5, 0.5, size.width() - 2, size.height() - 2).translated(look.offset);
        painter.setPen(QPen(look.border, 1));
        painter.setBrush(look.top);
        painter.drawRoundedRect(frame, 3, 3);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        // A pressed or held-down button shows its icon smaller, framed in the state's colour.
        const int side = look.offset.isNull() ? IconSize : IconSize - 6;
        const QRect icon((size.width() - side) / 2, (size.height() - side) / 2, side, side);
        painter.drawImage(icon.translated(look.offset), Icon(category));
    };
}

} // namespace

QImage Icon(int category)
{
    QImage icon(IconSize, IconSize, QImage::Format_ARGB32_Premultiplied);
    const Design &design = Designs[size_t(category)];
    icon.fill(QColor::fromRgb(design.tile));
    QPainter painter(&icon);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.setPen(QColor::fromRgb(design.tile).darker(160));
    painter.drawRect(QRectF(0.5, 0.5, IconSize - 1, IconSize - 1));
    if (design.emblem != Emblem::None) {
        painter.drawImage(QPoint(4, 4), Emblem::Render(design.emblem, QSize(24, 24), Qt::white));
    } else if (*design.sign) {
        const QString sign = QString::fromUtf16(design.sign);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(sign.size() > 1 ? 15 : 24);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(QRect(0, 0, IconSize, IconSize), Qt::AlignCenter, sign);
    }
    return icon;
}

QImage ImageList()
{
    QImage list(IconSize * IconCount, IconSize, QImage::Format_RGB32);
    QPainter painter(&list);
    for (int category = 0; category < IconCount; ++category)
        painter.drawImage(category * IconSize, 0, Icon(category));
    return list;
}

QList<SkinPicture> Pictures()
{
    QList<SkinPicture> pictures{
        {QStringLiteral("ImageList2"), QStringLiteral("kalikony.bmp"), ImageList()}};
    // Button 1..15 show categories 0..14, button 16 category 16.
    for (int button = 1; button <= 16; ++button) {
        const int category = button < 16 ? button - 1 : 16;
        const QString name = QStringLiteral("btKalendKat%1").arg(button);
        pictures.append(
            {name, name.toLower() + QStringLiteral(".bmp"),
             GlyphStrip::Paint(QSize(34, 34), QColor(ButtonGround), iconFace(category))});
    }
    const struct
    {
        const char16_t *name;
        QSize size;
        const char16_t *label;
    } buttons[] = {{u"btKalendariumUp", {155, 22}, u"▲  wcześniej"},
                   {u"btKalendariumDown", {155, 22}, u"▼  później"},
                   {u"btKalendSearch", {28, 22}, u"»"}};
    for (const auto &b : buttons) {
        const QString name = QString::fromUtf16(b.name);
        pictures.append({name, name.toLower() + QStringLiteral(".bmp"),
                         GlyphStrip::Paint(b.size, QColor(ButtonGround),
                                           GlyphStrip::Plate(QString::fromUtf16(b.label)))});
    }
    return pictures;
}

} // namespace CalendarIcons
