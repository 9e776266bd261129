#include "SettingsStore.h"

#include "RegularFileTarget.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

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

namespace {

// Far more than any settings file holds; a larger file is not read whole into memory.
constexpr qint64 MaxFileSize = 16 * 1024 * 1024;

QString workingCopyName(const QTemporaryDir &scratch)
{
    return scratch.filePath(QStringLiteral("settings.conf"));
}

// A private folder holding a copy of the settings file as the run starts, when it is a
// regular file that can be read.
std::unique_ptr<QTemporaryDir> workingCopy(const QString &fileName)
{
    auto scratch = std::make_unique<QTemporaryDir>();
    if (const auto contents = RegularFileTarget::Read(fileName, MaxFileSize)) {
        QFile copy(workingCopyName(*scratch));
        if (copy.open(QIODevice::WriteOnly))
            copy.write(*contents);
    }
    return scratch;
}

QString saveProblem(const QString &fileName, const QString &reason)
{
    return QStringLiteral("Nie można zapisać ustawień programu w pliku\n%1\n%2")
        .arg(QDir::toNativeSeparators(fileName), reason);
}

QString statusProblem(const QString &fileName, QSettings::Status status)
{
    return saveProblem(fileName, status == QSettings::FormatError
                                     ? QStringLiteral("Plik ma niewłaściwą postać.")
                                     : QStringLiteral("Brak dostępu do pliku lub jego folderu."));
}

} // namespace

SettingsStore::SettingsStore() : SettingsStore(DefaultFileName()) {}

SettingsStore::SettingsStore(const QString &fileName)
    : SettingsStore(fileName, workingCopy(fileName))
{
}

SettingsStore::SettingsStore(const QString &fileName, std::unique_ptr<QTemporaryDir> scratch)
    : m_fileName(fileName), m_scratch(std::move(scratch)),
      m_owned(std::make_unique<QSettings>(workingCopyName(*m_scratch), QSettings::IniFormat)),
      m_settings(*m_owned)
{
    rememberStart();
}

SettingsStore::SettingsStore(QSettings &settings) : m_settings(settings)
{
    rememberStart();
}

void SettingsStore::rememberStart()
{
    for (const QString &key : m_settings.allKeys())
        m_started.insert(key, textOf(m_settings.value(key)));
}

SettingsStore::~SettingsStore()
{
    commit();
}

QString SettingsStore::DefaultFileName()
{
    // Where the platform's native settings of "Quandrel/Verbarium" lie.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Quandrel/Verbarium.conf");
}

void SettingsStore::set(const QString &key, const QString &value)
{
    const auto started = m_started.constFind(key);
    if (!m_changed.contains(key) && started != m_started.cend() && *started == value)
        return;
    m_settings.setValue(key, value);
    m_changed.insert(key);
    m_unsaved = true;
}

bool SettingsStore::commit()
{
    if (!m_unsaved)
        return m_saveProblem.isEmpty();
    m_settings.sync();
    if (m_fileName.isEmpty()) {
        // Settings given by the caller are its own; they are written as they are.
        m_saveProblem = m_settings.status() == QSettings::NoError
                            ? QString()
                            : statusProblem(m_settings.fileName(), m_settings.status());
        m_unsaved = !m_saveProblem.isEmpty();
        return !m_unsaved;
    }
    if (RegularFileTarget::Check(m_fileName) == RegularFileTarget::State::Other) {
        m_saveProblem =
            saveProblem(m_fileName, QStringLiteral("W tym miejscu nie ma zwykłego pliku."));
        return false;
    }
    // The file is read again as it is now; only this run's values go on top, and the whole
    // file is replaced at once.
    QSettings file(m_fileName, QSettings::IniFormat);
    file.setAtomicSyncRequired(true);
    for (const QString &key : std::as_const(m_changed))
        file.setValue(key, m_settings.value(key));
    file.sync();
    if (file.status() != QSettings::NoError) {
        m_saveProblem = statusProblem(m_fileName, file.status());
        return false;
    }
    m_saveProblem.clear();
    m_unsaved = false;
    return true;
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

void SettingsStore::markRunning(bool running)
{
    // This run's own mark: written whatever the file held.
    const QString key = QStringLiteral("Prefs/Runing");
    m_settings.setValue(key, text(running));
    m_changed.insert(key);
    m_unsaved = true;
}

void SettingsStore::writeRunning(bool running)
{
    markRunning(running);
    commit();
}

void SettingsStore::writePreferencesAtExit(const Preferences &p)
{
    set(QStringLiteral("Prefs/fDocFont"), p.docFont);
    set(QStringLiteral("Prefs/fDocFontSize"), text(p.docFontSize));
    set(QStringLiteral("Prefs/fIndeksState"), text(p.indeksState));
    set(QStringLiteral("Prefs/fCytatShow"), text(p.cytatShow));
    set(QStringLiteral("Prefs/fWindCount"), text(p.windCount));
    markRunning(false);
    set(QStringLiteral("Prefs/Autorun"), text(p.autorun));
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
    set(QStringLiteral("AppPath"), appPath);
    set(QStringLiteral("DataPath"), dataPath);
    commit();
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
    const QString group = QStringLiteral("Toolbars/") + name + u'/';
    set(group + QStringLiteral("Rev"), text(3));
    set(group + QStringLiteral("Visible"), text(p.visible));
    set(group + QStringLiteral("DockedTo"), p.dockedTo);
    set(group + QStringLiteral("LastDock"), p.lastDock);
    set(group + QStringLiteral("DockRow"), text(p.dockRow));
    set(group + QStringLiteral("DockPos"), text(p.dockPos));
    set(group + QStringLiteral("FloatLeft"), text(p.floatLeft));
    set(group + QStringLiteral("FloatTop"), text(p.floatTop));
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
    const QString group = QStringLiteral("Panes/") + name + u'/';
    set(group + QStringLiteral("Area"), text(p.area));
    set(group + QStringLiteral("Floating"), text(p.floating));
    set(group + QStringLiteral("Size"), text(p.size));
    set(group + QStringLiteral("Left"), text(p.floatGeometry.left()));
    set(group + QStringLiteral("Top"), text(p.floatGeometry.top()));
    set(group + QStringLiteral("Width"), text(p.floatGeometry.width()));
    set(group + QStringLiteral("Height"), text(p.floatGeometry.height()));
}

bool SettingsStore::sync()
{
    return commit();
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
    set(group + QStringLiteral("Columns/Order"), numberText(layout.order));
    set(group + QStringLiteral("Columns/Sizes"), numberText(layout.sizes));
    set(group + QStringLiteral("Sort/Ascending"), text(layout.ascending));
    set(group + QStringLiteral("Sort/SortCol"), text(layout.sortColumn));
    set(group + QStringLiteral("ViewStyle/ViewStyle"), text(layout.viewStyle));
}
