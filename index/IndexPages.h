#pragma once

#include <QString>

// The Index window's pages in their order. The page index is how the start page's buttons,
// the popup menu's page items and the page change address a page.
namespace IndexPages {

enum Page {
    tsDziela,
    tsBiogramy,
    tsEpoki,
    tsBohaterowie,
    tsRodzaje,
    tsGatunki,
    tsTerminy,
    tsWypisy,
    tsCytaty,
    tsFilmografia,
    tsHistoria,
    tsKalendarium,
    tsQuiz,
    tsStart,
    PageCount
};

// The page's component name ("tsDziela"), its tab caption and its tab's picture in the
// small image list.
QString Name(int page);
QString Caption(int page);
int Image(int page);

} // namespace IndexPages
