#include "SkinImageList.h"

#include "Cp1250.h"
#include "TextLines.h"

#include <utility>

SkinImageList::SkinImageList(const QByteArray &bytes)
{
    for (const QString &line : TextLines::split(Cp1250::decode(bytes))) {
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0)
            continue;
        QString component = line.left(equals).trimmed();
        if (!component.isEmpty())
            m_entries.append({std::move(component), line.mid(equals + 1).trimmed()});
    }
}
