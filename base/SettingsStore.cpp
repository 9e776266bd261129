#include "SettingsStore.h"

#include <QSettings>
#include <QStringList>

#include <algorithm>

namespace {

QString text(int value)
{
    return QString::number(value);
}

QString text(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

// Values put there by other means (a 32-bit registry number, say) are read as their text
// form where they have one; a list or a missing value has none.
std::optional<QString> textForm(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::UnknownType:
    case QMetaType::QStringList:
    case QMetaType::QVariantList:
    case QMetaType::QVariantMap:
        return std::nullopt;
    default:
        if (!value.canConvert<QString>())
            return std::nullopt;
        return value.toString();
    }
}

QString textOf(const QVariant &value)
{
    return textForm(value).value_or(QString());
}

std::optional<QString> optionalText(const QSettings &settings, const QString &key)
{
    if (!settings.contains(key))
        return std::nullopt;
    return textOf(settings.value(key));
}

} // namespace

SettingsStore::SettingsStore()
    : m_owned(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                          QStringLiteral("Quandrel"), QStringLiteral("Verbarium"))),
      m_settings(*m_owned)
{
}

SettingsStore::SettingsStore(QSettings &settings) : m_settings(settings) {}

SettingsStore::~SettingsStore()
{
    m_settings.sync();
}

int SettingsStore::readNumber(const QVariant &value, int defaultValue)
{
    bool ok = false;
    const int number = textOf(value).trimmed().toInt(&ok, 10);
    return ok ? number : defaultValue;
}

bool SettingsStore::readBoolean(const QVariant &value, bool defaultValue)
{
    bool ok = false;
    const int number = textOf(value).trimmed().toInt(&ok, 10);
    return ok ? number != 0 : defaultValue;
}

Preferences SettingsStore::readPreferences() const
{
    Preferences p;
    const auto value = [this](const char *name) {
        return m_settings.value(QStringLiteral("Prefs/") + QLatin1String(name));
    };
    p.docFont = textForm(value("fDocFont")).value_or(p.docFont);
    p.docFontSize = readNumber(value("fDocFontSize"), p.docFontSize);
    p.indeksState = readNumber(value("fIndeksState"), p.indeksState);
    p.cytatShow = readBoolean(value("fCytatShow"), p.cytatShow);
    p.windCount = readNumber(value("fWindCount"), p.windCount);
    p.komentVol = readNumber(value("fKomentVol"), p.komentVol);
    p.muzykaVol = readNumber(value("fMuzykaVol"), p.muzykaVol);
    p.fxVol = readNumber(value("fFXVol"), p.fxVol);
    p.autorun = readBoolean(value("Autorun"), p.autorun);
    return p;
}

void SettingsStore::writeRunning(bool running)
{
    m_settings.setValue(QStringLiteral("Prefs/Runing"), text(running));
    m_settings.sync();
}

void SettingsStore::writePreferencesAtExit(const Preferences &p)
{
    m_settings.beginGroup(QStringLiteral("Prefs"));
    m_settings.setValue(QStringLiteral("fDocFont"), p.docFont);
    m_settings.setValue(QStringLiteral("fDocFontSize"), text(p.docFontSize));
    m_settings.setValue(QStringLiteral("fIndeksState"), text(p.indeksState));
    m_settings.setValue(QStringLiteral("fCytatShow"), text(p.cytatShow));
    m_settings.setValue(QStringLiteral("fWindCount"), text(p.windCount));
    m_settings.setValue(QStringLiteral("Runing"), text(false));
    m_settings.setValue(QStringLiteral("Autorun"), text(p.autorun));
    m_settings.endGroup();
}

std::optional<QString> SettingsStore::appPath() const
{
    return optionalText(m_settings, QStringLiteral("AppPath"));
}

std::optional<QString> SettingsStore::dataPath() const
{
    return optionalText(m_settings, QStringLiteral("DataPath"));
}

void SettingsStore::writePaths(const QString &appPath, const QString &dataPath)
{
    m_settings.setValue(QStringLiteral("AppPath"), appPath);
    m_settings.setValue(QStringLiteral("DataPath"), dataPath);
    m_settings.sync();
}

std::optional<ToolbarPlacement> SettingsStore::readToolbar(const QString &name) const
{
    const QString group = QStringLiteral("Toolbars/") + name + u'/';
    const auto value = [&](const char *key) {
        return m_settings.value(group + QLatin1String(key));
    };
    ToolbarPlacement p;
    p.rev = readNumber(value("Rev"), 0);
    if (p.rev != 2 && p.rev != 3)
        return std::nullopt;
    p.visible = readBoolean(value("Visible"), true);
    p.dockedTo = textOf(value("DockedTo"));
    if (p.rev == 3)
        p.lastDock = textOf(value("LastDock"));
    p.dockRow = readNumber(value("DockRow"), 0);
    p.dockPos = readNumber(value("DockPos"), 0);
    p.floatLeft = readNumber(value("FloatLeft"), 0);
    p.floatTop = readNumber(value("FloatTop"), 0);
    return p;
}

void SettingsStore::writeToolbar(const QString &name, const ToolbarPlacement &p)
{
    m_settings.beginGroup(QStringLiteral("Toolbars/") + name);
    m_settings.setValue(QStringLiteral("Rev"), text(3));
    m_settings.setValue(QStringLiteral("Visible"), text(p.visible));
    m_settings.setValue(QStringLiteral("DockedTo"), p.dockedTo);
    m_settings.setValue(QStringLiteral("LastDock"), p.lastDock);
    m_settings.setValue(QStringLiteral("DockRow"), text(p.dockRow));
    m_settings.setValue(QStringLiteral("DockPos"), text(p.dockPos));
    m_settings.setValue(QStringLiteral("FloatLeft"), text(p.floatLeft));
    m_settings.setValue(QStringLiteral("FloatTop"), text(p.floatTop));
    m_settings.endGroup();
}

std::optional<PanePlacement> SettingsStore::readPane(const QString &name) const
{
    const QString group = QStringLiteral("Panes/") + name + u'/';
    const auto value = [&](const char *key) {
        return readNumber(m_settings.value(group + QLatin1String(key)), -1);
    };
    PanePlacement p;
    p.area = value("Area");
    if (p.area != 1 && p.area != 2 && p.area != 4 && p.area != 8)
        return std::nullopt;
    p.floating = readBoolean(m_settings.value(group + QStringLiteral("Floating")), false);
    p.size = std::max(0, value("Size"));
    const QRect frame(readNumber(m_settings.value(group + QStringLiteral("Left")), 0),
                      readNumber(m_settings.value(group + QStringLiteral("Top")), 0),
                      value("Width"), value("Height"));
    if (frame.width() > 0 && frame.height() > 0)
        p.floatGeometry = frame;
    p.floating = p.floating && !p.floatGeometry.isNull();
    return p;
}

void SettingsStore::writePane(const QString &name, const PanePlacement &p)
{
    m_settings.beginGroup(QStringLiteral("Panes/") + name);
    m_settings.setValue(QStringLiteral("Area"), text(p.area));
    m_settings.setValue(QStringLiteral("Floating"), text(p.floating));
    m_settings.setValue(QStringLiteral("Size"), text(p.size));
    m_settings.setValue(QStringLiteral("Left"), text(p.floatGeometry.left()));
    m_settings.setValue(QStringLiteral("Top"), text(p.floatGeometry.top()));
    m_settings.setValue(QStringLiteral("Width"), text(p.floatGeometry.width()));
    m_settings.setValue(QStringLiteral("Height"), text(p.floatGeometry.height()));
    m_settings.endGroup();
}

void SettingsStore::sync()
{
    m_settings.sync();
}

namespace {

QList<int> numberList(const QString &text)
{
    QList<int> numbers;
    for (const QString &part : text.split(u',', Qt::SkipEmptyParts)) {
        bool ok = false;
        const int n = part.trimmed().toInt(&ok, 10);
        if (!ok)
            return {};
        numbers.append(n);
    }
    return numbers;
}

QString numberText(const QList<int> &numbers)
{
    QStringList parts;
    for (int n : numbers)
        parts.append(QString::number(n));
    return parts.join(u',');
}

} // namespace

ListLayout SettingsStore::readListLayout(int list) const
{
    const QString group = QStringLiteral("Views/%1/").arg(list);
    ListLayout layout;
    layout.order = numberList(textOf(m_settings.value(group + QStringLiteral("Columns/Order"))));
    layout.sizes = numberList(textOf(m_settings.value(group + QStringLiteral("Columns/Sizes"))));
    layout.ascending =
        readBoolean(m_settings.value(group + QStringLiteral("Sort/Ascending")), true);
    layout.sortColumn = readNumber(m_settings.value(group + QStringLiteral("Sort/SortCol")), 0);
    layout.viewStyle =
        readNumber(m_settings.value(group + QStringLiteral("ViewStyle/ViewStyle")), 1);
    return layout;
}

void SettingsStore::writeListLayout(int list, const ListLayout &layout)
{
    const QString group = QStringLiteral("Views/%1/").arg(list);
    m_settings.setValue(group + QStringLiteral("Columns/Order"), numberText(layout.order));
    m_settings.setValue(group + QStringLiteral("Columns/Sizes"), numberText(layout.sizes));
    m_settings.setValue(group + QStringLiteral("Sort/Ascending"), text(layout.ascending));
    m_settings.setValue(group + QStringLiteral("Sort/SortCol"), text(layout.sortColumn));
    m_settings.setValue(group + QStringLiteral("ViewStyle/ViewStyle"), text(layout.viewStyle));
}
