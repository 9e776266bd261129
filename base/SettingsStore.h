#pragma once

#include <QHash>
#include <QList>
#include <QRect>
#include <QSet>
#include <QString>
#include <QVariant>

#include <memory>
#include <optional>

class QSettings;
class QTemporaryDir;

// The user's preferences as held in memory during a run, with their defaults.
struct Preferences
{
    QString docFont = QStringLiteral("Arial CE");
    int docFontSize = 10;
    int indeksState = 1;
    bool cytatShow = true;
    int windCount = 12;
    bool autorun = true;
    // Read at start and never used or written.
    int komentVol = 1;
    int muzykaVol = 50;
    int fxVol = 1;
};

// Where a toolbar lies, as stored under "Toolbars\<name>".
struct ToolbarPlacement
{
    int rev = 3;
    bool visible = true;
    QString dockedTo; // "Dock971".."Dock974", "+" when floating, empty: leave it where it is
    QString lastDock; // the dock a floating toolbar came from
    int dockRow = 0;
    int dockPos = 0;
    int floatLeft = 0;
    int floatTop = 0;
};

// Where a dockable pane lies, as stored under "Panes\<name>".
struct PanePlacement
{
    int area = 2; // Qt::DockWidgetArea: 1 left, 2 right, 4 top, 8 bottom
    bool floating = false;
    QRect floatGeometry; // null until the pane has floated
    int size = 0; // docked: its width (left, right) or height (top, bottom); 0 for the layout's
};

// The saved layout of one Index list, under "Views\<number>".
struct ListLayout
{
    QList<int> order; // column indexes in display order; empty: the design's
    QList<int> sizes; // column widths; empty: the design's
    bool ascending = true;
    int sortColumn = 0;
    int viewStyle = 1; // report
};

// The settings under "Software\Quandrel\Verbarium": the folder paths, the preferences in
// "Prefs", the toolbar layout in "Toolbars". Every value is written as text; reading follows
// the rules of the stored text (a number that is not a decimal integer gives the default, a
// boolean is any number other than 0).
//
// Only the values this run changed are written, on top of the file as it is when they are
// saved, so that another running copy's changes to the other values survive. A settings file
// is read and replaced only when it is a regular file (through links too); anything else at
// its path is left alone and the run keeps its settings in memory.
class SettingsStore
{
public:
    // The native store of the current user.
    SettingsStore();
    // The store in the given file.
    explicit SettingsStore(const QString &fileName);
    // A store over given settings, for tests; not owned.
    explicit SettingsStore(QSettings &settings);
    ~SettingsStore();

    SettingsStore(const SettingsStore &) = delete;
    SettingsStore &operator=(const SettingsStore &) = delete;

    static int readNumber(const QVariant &value, int defaultValue);
    static bool readBoolean(const QVariant &value, bool defaultValue);

    Preferences readPreferences() const;
    void writeRunning(bool running);
    // "fDocFont", "fDocFontSize", "fIndeksState", "fCytatShow", "fWindCount", "Runing" = "0",
    // "Autorun", in that order.
    void writePreferencesAtExit(const Preferences &preferences);

    std::optional<QString> appPath() const;
    std::optional<QString> dataPath() const;
    void writePaths(const QString &appPath, const QString &dataPath);

    // Nothing when the toolbar has no stored layout or one of a revision other than 2 or 3.
    std::optional<ToolbarPlacement> readToolbar(const QString &name) const;
    void writeToolbar(const QString &name, const ToolbarPlacement &placement);

    // Nothing when the pane has no stored place or one whose area is none of the four;
    // a size or frame that is not a positive number is left out.
    std::optional<PanePlacement> readPane(const QString &name) const;
    void writePane(const QString &name, const PanePlacement &placement);

    ListLayout readListLayout(int list) const;
    void writeListLayout(int list, const ListLayout &layout);

    // Saves what this run changed; false when it could not be saved (see SaveProblem).
    bool sync();
    // Why the settings could not be saved, naming the file, in Polish; empty when they were.
    const QString &SaveProblem() const { return m_saveProblem; }

    // Where the native store keeps its file.
    static QString DefaultFileName();

private:
    SettingsStore(const QString &fileName, std::unique_ptr<QTemporaryDir> scratch);
    // Records a value; it is written only when it differs from what the run started with, or
    // this run wrote it before.
    void set(const QString &key, const QString &value);
    // What the run starts with, against which its changes are told.
    void rememberStart();
    void markRunning(bool running);
    // Writes the changed values into the settings file as it is now, in one replacement.
    bool commit();

    // The file the settings are saved in; empty for settings given by the caller, which are
    // written directly.
    QString m_fileName;
    // The run's working copy of the file, so nothing reaches the file but commit().
    std::unique_ptr<QTemporaryDir> m_scratch;
    std::unique_ptr<QSettings> m_owned;
    QSettings &m_settings;
    QHash<QString, QString> m_started;
    QSet<QString> m_changed;
    bool m_unsaved = false;
    QString m_saveProblem;
};
