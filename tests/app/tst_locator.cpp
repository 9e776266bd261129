#include "PVolumeList.h"
#include "TfrmCDCheck.h"
#include "VolumeList.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QMutex>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <map>

namespace {

// Drives whose discs the test puts in, swaps and takes out while the locator polls them from
// its own thread.
class SteppedVolumes : public VolumeList
{
public:
    // A drive of the given type, empty at first.
    void addDrive(const QString &drive, quint8 type = TVolumeRecord::CdRom)
    {
        const QMutexLocker lock(&m_mutex);
        m_drives.append(drive);
        m_types[drive] = type;
    }
    // Puts the disc whose files are in `root` into the drive; an empty root takes it out.
    void insert(const QString &drive, const QString &root)
    {
        const QMutexLocker lock(&m_mutex);
        m_roots[drive] = root;
    }

    QStringList Drives() const override
    {
        const QMutexLocker lock(&m_mutex);
        return m_drives;
    }
    TVolumeRecord QueryVolume(const QString &drive) const override
    {
        const QMutexLocker lock(&m_mutex);
        const quint8 type = m_types.at(drive);
        const auto root = m_roots.find(drive);
        if (root == m_roots.end() || root->second.isEmpty())
            return unreadable(drive, type);
        return {serialOf({root->second}), type, QDir(root->second).dirName(), drive, root->second};
    }

private:
    mutable QMutex m_mutex;
    QStringList m_drives;
    std::map<QString, quint8> m_types;
    std::map<QString, QString> m_roots;
};

constexpr int Interval = 20;

} // namespace

class TestLocator : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void detectChange();
    void opticalRootsOfFixedVolumes();
    void discs_data();
    void discs();
    void browsing_data();
    void browsing();
    void layout();
    void destructionNeverWaitsLong_data();
    void destructionNeverWaitsLong();

private:
    // A disc image folder; with the data when `data` is set.
    QString disc(const QString &name, bool data);
    std::unique_ptr<TfrmCDCheck> dialog();

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<SteppedVolumes> m_volumes;
};

void TestLocator::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_volumes = std::make_unique<SteppedVolumes>();
}

void TestLocator::cleanup()
{
    m_volumes.reset();
    m_dir.reset();
}

QString TestLocator::disc(const QString &name, bool data)
{
    const QString root = m_dir->filePath(name);
    QDir().mkpath(root + QStringLiteral("/DATA"));
    if (data)
        QFile(root + QStringLiteral("/DATA/Verbarium.dat")).open(QIODevice::WriteOnly);
    return root;
}

std::unique_ptr<TfrmCDCheck> TestLocator::dialog()
{
    auto dialog = std::make_unique<TfrmCDCheck>(*m_volumes);
    dialog->SetFileList(QStringLiteral("Verbarium.dat"));
    dialog->SetSubFolder(QStringLiteral("DATA\\"));
    dialog->SetInterval(Interval);
    return dialog;
}

void TestLocator::detectChange()
{
    m_volumes->addDrive(QStringLiteral("c"), TVolumeRecord::Fixed);
    m_volumes->addDrive(QStringLiteral("d"));
    m_volumes->addDrive(QStringLiteral("e"));
    m_volumes->insert(QStringLiteral("c"), disc(QStringLiteral("hd"), true));
    m_volumes->insert(QStringLiteral("d"), disc(QStringLiteral("music"), false));

    PVolumeList list(*m_volumes);
    const auto letters = [&list] {
        QStringList result;
        for (const TVolumeRecord &record : list.records())
            result.append(record.Letter + u'=' + record.Serial);
        return result;
    };
    QCOMPARE(list.records().size(), 2); // the fixed drive is filtered out
    QCOMPARE(list.records()[1].Serial, VolumeList::NoSerial);
    QCOMPARE(list.records()[1].VolumeName, QStringLiteral("Error"));
    QCOMPARE(list.records()[0].VolumeName, QStringLiteral("music"));
    QVERIFY(!list.DetectChange());

    // A disc into the empty drive: the drive's record moves to the end.
    m_volumes->insert(QStringLiteral("e"), disc(QStringLiteral("data"), true));
    const TVolumeRecord *changed = list.DetectChange();
    QVERIFY(changed);
    QCOMPARE(changed->Letter, QStringLiteral("e"));
    QCOMPARE(changed->Root, m_dir->filePath(QStringLiteral("data")));
    QVERIFY(!list.DetectChange());

    // Taking a disc out is a change too; so is a swap; each is seen once.
    m_volumes->insert(QStringLiteral("d"), QString());
    m_volumes->insert(QStringLiteral("e"), disc(QStringLiteral("other"), false));
    QCOMPARE(list.DetectChange()->Letter, QStringLiteral("d"));
    QCOMPARE(list.records().last().Serial, VolumeList::NoSerial);
    QCOMPARE(list.DetectChange()->Letter, QStringLiteral("e"));
    QVERIFY(!list.DetectChange());
    QCOMPARE(letters().size(), 2);

    // A drive that appeared after the snapshot is not watched until the next refresh.
    m_volumes->addDrive(QStringLiteral("f"));
    m_volumes->insert(QStringLiteral("f"), disc(QStringLiteral("late"), true));
    QVERIFY(!list.DetectChange());
    list.Refresh();
    QCOMPARE(list.records().size(), 3);
    QCOMPARE(list.records().last().Letter, QStringLiteral("f"));

    // Other filters keep other types.
    PVolumeList fixed(*m_volumes, std::bitset<8>(1u << TVolumeRecord::Fixed));
    QCOMPARE(fixed.records().size(), 1);
    QCOMPARE(fixed.records()[0].Letter, QStringLiteral("c"));
}

void TestLocator::opticalRootsOfFixedVolumes()
{
    const QStringList roots{QStringLiteral("/b"), QStringLiteral("/a")};
    const FixedVolumes volumes(roots);
    QCOMPARE(volumes.opticalRoots(), roots);
    const TVolumeRecord a = volumes.QueryVolume(QStringLiteral("/a"));
    const TVolumeRecord b = volumes.QueryVolume(QStringLiteral("/b"));
    QCOMPARE(a.DriveType, TVolumeRecord::CdRom);
    QCOMPARE(a.Serial.size(), 8);
    QVERIFY(a.Serial != b.Serial && a.Serial != VolumeList::NoSerial);
    QCOMPARE(a.Serial.toUpper(), a.Serial);
    QCOMPARE(volumes.QueryVolume(QStringLiteral("/c")).Serial, VolumeList::NoSerial);
}

void TestLocator::discs_data()
{
    // Each step: "drive:disc" puts a disc in (a disc named "data..." holds the data, "-"
    // takes it out), "+drive:disc" adds a drive holding that disc. The drives d and e exist
    // from the start, d with a music disc and e empty.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<int>("closesAt"); // the step after which the dialog closes; -1: never
    QTest::addColumn<QString>("found");

    QTest::newRow("data disc into the empty drive")
        << QStringList{QStringLiteral("e:data")} << 0 << QStringLiteral("data/DATA/");
    QTest::newRow("data disc instead of the music disc")
        << QStringList{QStringLiteral("d:data")} << 0 << QStringLiteral("data/DATA/");
    QTest::newRow("wrong disc, then the right one in the same drive")
        << QStringList{QStringLiteral("e:films"), QStringLiteral("e:data")} << 1
        << QStringLiteral("data/DATA/");
    QTest::newRow("disc taken out, then the data disc")
        << QStringList{QStringLiteral("d:-"), QStringLiteral("d:data2")} << 1
        << QStringLiteral("data2/DATA/");
    QTest::newRow("a drive added later is not watched")
        << QStringList{QStringLiteral("+f:data"), QStringLiteral("f:data2")} << -1 << QString();
}

void TestLocator::discs()
{
    QFETCH(QStringList, steps);
    QFETCH(int, closesAt);
    QFETCH(QString, found);

    m_volumes->addDrive(QStringLiteral("d"));
    m_volumes->addDrive(QStringLiteral("e"));
    m_volumes->insert(QStringLiteral("d"), disc(QStringLiteral("music"), false));
    auto locator = dialog();
    locator->SetFolder(m_dir->path());
    locator->open();

    for (int i = 0; i < steps.size(); ++i) {
        QVERIFY2(locator->isVisible(), qPrintable(steps[i]));
        QString step = steps[i];
        const bool added = step.startsWith(u'+');
        if (added)
            step.remove(0, 1);
        const QString drive = step.section(u':', 0, 0);
        const QString name = step.section(u':', 1);
        if (added)
            m_volumes->addDrive(drive);
        m_volumes->insert(
            drive, name == u"-" ? QString() : disc(name, name.startsWith(QStringLiteral("data"))));
        if (i == closesAt) {
            QTRY_VERIFY_WITH_TIMEOUT(!locator->isVisible(), 5000);
        } else {
            QTest::qWait(10 * Interval);
        }
    }
    if (closesAt < 0) {
        QVERIFY(locator->isVisible());
        locator->findChild<QPushButton *>(QStringLiteral("Button2"))->click();
    }
    QCOMPARE(locator->result(), closesAt < 0 ? QDialog::Rejected : QDialog::Accepted);
    if (closesAt >= 0)
        QCOMPARE(locator->Folder(), m_dir->filePath(found));
}

void TestLocator::browsing_data()
{
    QTest::addColumn<QStringList>("picks"); // relative to the test folder; "-" cancels the browser
    QTest::addColumn<QString>("found");     // "" when the dialog ends with cancel

    QTest::newRow("the folder itself")
        << QStringList{QStringLiteral("hd/DATA")} << QStringLiteral("hd/DATA/");
    QTest::newRow("the folder in another letter case")
        << QStringList{QStringLiteral("lower/data")} << QStringLiteral("lower/data/");
    QTest::newRow("its parent, then cancel") << QStringList{QStringLiteral("hd")} << QString();
    QTest::newRow("browser cancelled") << QStringList{QStringLiteral("-")} << QString();
    QTest::newRow("parent, then the folder")
        << QStringList{QStringLiteral("hd"), QStringLiteral("-"), QStringLiteral("hd/DATA")}
        << QStringLiteral("hd/DATA/");
}

void TestLocator::browsing()
{
    QFETCH(QStringList, picks);
    QFETCH(QString, found);

    disc(QStringLiteral("hd"), true);
    QDir().mkpath(m_dir->filePath(QStringLiteral("lower/data")));
    QFile(m_dir->filePath(QStringLiteral("lower/data/verbarium.DAT"))).open(QIODevice::WriteOnly);
    auto locator = dialog();
    locator->SetFolder(m_dir->filePath(QStringLiteral("start/")));
    QStringList captions, starts;
    locator->SetFolderBrowser([&](QWidget *parent, const QString &caption, const QString &start) {
        if (parent != locator.get())
            return QString();
        captions.append(caption);
        starts.append(start);
        const QString pick = picks.value(captions.size() - 1);
        return pick == u"-" ? QString() : m_dir->filePath(pick);
    });
    locator->open();
    QPushButton *browse = locator->findChild<QPushButton *>(QStringLiteral("Button1"));
    for (int i = 0; i < picks.size(); ++i) {
        QVERIFY(locator->isVisible());
        QTest::keyClick(locator.get(), Qt::Key_Return); // the default button
    }
    QCOMPARE(captions, QStringList(picks.size(), QStringLiteral("Wybór foldera danych")));
    QCOMPARE(starts[0], m_dir->filePath(QStringLiteral("start/")));
    QVERIFY(browse->isDefault());
    if (found.isEmpty()) {
        QVERIFY(locator->isVisible());
        QTest::keyClick(locator.get(), Qt::Key_Escape);
        QCOMPARE(locator->result(), QDialog::Rejected);
        return;
    }
    QVERIFY(!locator->isVisible());
    QCOMPARE(locator->result(), QDialog::Accepted);
    QCOMPARE(locator->Folder(), m_dir->filePath(found));
}

void TestLocator::layout()
{
    auto locator = dialog();
    locator->SetExplanation(QStringLiteral("Poszukiwana ścieżka do bazy danych programu (*.db)"));
    QCOMPARE(locator->windowTitle(), QStringLiteral("Poszukiwanie plików danych"));
    QCOMPARE(locator->size(), QSize(331, 189));
    QVERIFY(locator->windowFlags() & Qt::WindowStaysOnTopHint);
    QCOMPARE(locator->findChild<QLabel *>(QStringLiteral("ExpLabel"))->text(),
             QStringLiteral("Poszukiwana ścieżka do bazy danych programu (*.db)"));
    const QStringList lines =
        locator->findChild<QLabel *>(QStringLiteral("Label1"))->text().split(u'\n');
    QCOMPARE(lines.size(), 6);
    QCOMPARE(lines[0], QStringLiteral("Program nie może odnaleźć części danych."));
    QCOMPARE(lines[5], QStringLiteral("wybierz przycisk \"Przeglądaj\"."));
    QPushButton *cancel = locator->findChild<QPushButton *>(QStringLiteral("Button2"));
    QPushButton *browse = locator->findChild<QPushButton *>(QStringLiteral("Button1"));
    QCOMPARE(cancel->text(), QStringLiteral("&Zaniechaj"));
    QCOMPARE(browse->text(), QStringLiteral("&Przeglądaj..."));
    QVERIFY(browse->x() > cancel->x());
    QVERIFY(cancel->geometry().bottom() > locator->height() - 40);
    for (QWidget *child : locator->findChildren<QWidget *>()) {
        if (child->isWindow())
            continue;
        QVERIFY2(locator->rect().contains(child->geometry()), qPrintable(child->objectName()));
    }
}

void TestLocator::destructionNeverWaitsLong_data()
{
    QTest::addColumn<int>("interval");
    QTest::addColumn<bool>("discInserted"); // the thread is waiting for its check to be run

    QTest::newRow("thread in its wait") << 60000 << false;
    QTest::newRow("thread waiting for its check") << Interval << true;
}

void TestLocator::destructionNeverWaitsLong()
{
    QFETCH(int, interval);
    QFETCH(bool, discInserted);

    m_volumes->addDrive(QStringLiteral("d"));
    auto locator = dialog();
    locator->SetInterval(interval);
    locator->open();
    QTest::qWait(5 * Interval);
    if (discInserted) {
        m_volumes->insert(QStringLiteral("d"), disc(QStringLiteral("data"), true));
        // Without letting events run, the check the thread asks for stays pending.
        QThread::msleep(20 * Interval);
    }
    QElapsedTimer timer;
    timer.start();
    locator.reset();
    QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
}

QTEST_MAIN(TestLocator)
#include "tst_locator.moc"
