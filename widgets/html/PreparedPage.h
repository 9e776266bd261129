#pragma once

#include "HtmlForms.h"

#include <QString>
#include <QStringList>

// A page's HTML made ready for QTextBrowser, which draws no form controls and changes image
// sources into URLs on the way to loadResource:
// - check boxes and submit buttons become pictures inside links of their own, pictured and
//   handled by the view;
// - image sources become indexes into imageSources, which keeps them as written;
// - a cell end tag that closes no open cell (as in "<th>...</th></td>") is dropped, as
//   browsers ignore it, where Qt would end the whole inner table there;
// - blocks and line breaks are mended where Qt lays them out unlike browsers (see BlockFlow).
struct PreparedPage
{
    static PreparedPage prepare(const QString &html);

    QString html;
    QStringList imageSources; // named PageResources::name(imageScheme, index)
    HtmlForms forms;          // control N named PageResources::name(formScheme, N)
};
