#include "SourceTreePacker.h"

#include "ContainerWriter.h"
#include "Cp1250.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace {

QByteArray folded(QByteArray name)
{
    for (char &c : name)
        c = char(Cp1250::foldCase(static_cast<unsigned char>(c)));
    return name;
}

QStringList entriesOf(const QString &dir, QDir::Filters filters)
{
    return QDir(dir).entryList(filters | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
}

// The entries of one item folder: file base name -> entry name suffix, and whether it is text.
struct ItemFile
{
    const char *baseName;
    const char *suffix;
    bool text;
};
constexpr ItemFile ItemFiles[] = {
    {"tekst", "", true},       {"opis", "\\Opis", true}, {"thumb", "\\THUMB", false},
    {"full", "\\FULL", false}, {"pola", nullptr, true},
};

} // namespace

bool SourceTreePacker::fail(const QString &message)
{
    m_error = message;
    return false;
}

bool SourceTreePacker::pack(const QString &sourceDir)
{
    const QDir root(sourceDir);
    if (!root.exists())
        return fail(QStringLiteral("brak katalogu \"%1\"").arg(sourceDir));
    if (root.exists(QStringLiteral("index.tsv")) &&
        !packIndex(root.filePath(QStringLiteral("index.tsv"))))
        return false;
    if (root.exists(QStringLiteral("items")) && !packItems(root.filePath(QStringLiteral("items"))))
        return false;
    if (root.exists(QStringLiteral("sounds")) &&
        !packSounds(root.filePath(QStringLiteral("sounds"))))
        return false;
    const QString raw = root.filePath(QStringLiteral("raw"));
    return !root.exists(QStringLiteral("raw")) || packRaw(raw, raw);
}

bool SourceTreePacker::packIndex(const QString &path)
{
    QByteArray bytes;
    if (!readFile(path, bytes))
        return false;
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    if (utf8.hasError())
        return fail(QStringLiteral("%1: to nie jest tekst UTF-8").arg(path));

    ItemIndexWriter index;
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QString where = QStringLiteral("%1:%2: ").arg(path).arg(i + 1);
        const QStringList columns = lines[i].split(u'\t');
        if (columns.size() < 2 || columns.size() > 3)
            return fail(where + QStringLiteral("oczekiwano TYP, NUMER i opcjonalnie UNID "
                                               "rozdzielonych tabulatorem"));
        bool ok1 = true, ok2 = true, ok3 = true;
        const QByteArray typ = Cp1250::encode(columns[0].trimmed(), &ok1);
        const QByteArray numer = Cp1250::encode(columns[1].trimmed(), &ok2);
        QByteArray unid =
            columns.size() == 3 ? Cp1250::encode(columns[2].trimmed(), &ok3) : QByteArray();
        if (!ok1 || !ok2 || !ok3)
            return fail(where + QStringLiteral("znak spoza strony kodowej Windows-1250"));
        if (unid.isEmpty())
            unid = QCryptographicHash::hash(Cp1250::upperAscii(typ + '\\' + numer),
                                            QCryptographicHash::Md5)
                       .toHex()
                       .toUpper();
        if (!index.add(unid, typ, numer))
            return fail(where + QStringLiteral("UNID ma najwyżej 32 znaki, TYP i NUMER po 10"));
    }
    return add(QStringLiteral("L197\\UnidX"), index.toBytes(), path);
}

bool SourceTreePacker::packItems(const QString &dir)
{
    for (const QString &typ : entriesOf(dir, QDir::AllEntries)) {
        const QString typDir = dir + u'/' + typ;
        if (!QFileInfo(typDir).isDir())
            return fail(QStringLiteral("%1: oczekiwano katalogu kategorii").arg(typDir));
        for (const QString &numer : entriesOf(typDir, QDir::AllEntries)) {
            const QString itemDir = typDir + u'/' + numer;
            if (!QFileInfo(itemDir).isDir())
                return fail(QStringLiteral("%1: oczekiwano katalogu pozycji").arg(itemDir));
            const QString pair = typ + u'\\' + numer;
            for (const QString &file : entriesOf(itemDir, QDir::AllEntries)) {
                const QString path = itemDir + u'/' + file;
                const QFileInfo info(path);
                const ItemFile *kind = nullptr;
                for (const ItemFile &f : ItemFiles) {
                    if (info.isFile() && info.completeBaseName().compare(QLatin1String(f.baseName),
                                                                         Qt::CaseInsensitive) == 0)
                        kind = &f;
                }
                if (!kind)
                    return fail(QStringLiteral("%1: nieznany plik (dozwolone: pola.txt, "
                                               "tekst.htm, opis.htm, thumb.*, full.*)")
                                    .arg(path));
                const QString name =
                    kind->suffix ? pair + QLatin1String(kind->suffix)
                                 : QStringLiteral("L197\\TypX\\") + pair + QStringLiteral("\\Pola");
                if (!(kind->text ? addText(name, path) : addFile(name, path)))
                    return false;
            }
        }
    }
    return true;
}

bool SourceTreePacker::packSounds(const QString &dir)
{
    for (const QString &folder : entriesOf(dir, QDir::Dirs)) {
        const QString folderPath = dir + u'/' + folder;
        for (const QString &file : entriesOf(folderPath, QDir::Files)) {
            const QString name =
                QStringLiteral("_197SND\\") + folder + u'\\' + QFileInfo(file).completeBaseName();
            if (!addFile(name, folderPath + u'/' + file))
                return false;
        }
    }
    return true;
}

bool SourceTreePacker::packRaw(const QString &root, const QString &dir)
{
    for (const QString &entry : entriesOf(dir, QDir::AllEntries)) {
        const QString path = dir + u'/' + entry;
        if (QFileInfo(path).isDir()) {
            if (!packRaw(root, path))
                return false;
            continue;
        }
        const QString name = QDir(root).relativeFilePath(path).replace(u'/', u'\\');
        if (!addFile(name, path))
            return false;
    }
    return true;
}

bool SourceTreePacker::addText(const QString &name, const QString &path)
{
    QByteArray bytes;
    if (!readFile(path, bytes))
        return false;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    if (utf8.hasError())
        return fail(QStringLiteral("%1: to nie jest tekst UTF-8").arg(path));
    bool ok = true;
    const QByteArray encoded = Cp1250::encode(text, &ok);
    if (!ok)
        return fail(QStringLiteral("%1: znak spoza strony kodowej Windows-1250").arg(path));
    return add(name, encoded, path);
}

bool SourceTreePacker::addFile(const QString &name, const QString &path)
{
    QByteArray bytes;
    return readFile(path, bytes) && add(name, bytes, path);
}

bool SourceTreePacker::add(const QString &name, const QByteArray &data, const QString &path)
{
    bool ok = true;
    const QByteArray encoded = Cp1250::encode(name, &ok);
    if (!ok)
        return fail(QStringLiteral("%1: nazwa spoza strony kodowej Windows-1250").arg(path));
    const QByteArray key = folded(encoded);
    if (m_names.contains(key))
        return fail(QStringLiteral("%1: wpis \"%2\" występuje już w drzewie").arg(path, name));
    m_names.insert(key);
    m_writer.add(encoded, data);
    return true;
}

bool SourceTreePacker::readFile(const QString &path, QByteArray &data)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("%1: %2").arg(path, file.errorString()));
    data = file.readAll();
    return true;
}
