// libFuzzer target: any Windows-1250 text as a page for the HTML view, made ready for Qt's
// importer. It must come out in time linear in the text, and not much longer than it.

#include "Cp1250.h"
#include "FuzzCheck.h"
#include "html/PreparedPage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString html = Cp1250::decode(fuzzBytes(data, size));
    const PreparedPage page = PreparedPage::prepare(html);
    // The longest replacement, an empty paragraph for a "<br>", is 14 times as long.
    check(page.html.size() <= 20 * html.size());
    check(page.imageSources.size() <= html.count(u'<'));
    return 0;
}
