#include "PictureFit.h"

#include <cmath>

QRect PictureFit::OnPage(const QSize &picture, const QSize &page)
{
    const int w = picture.width();
    const int h = picture.height();
    const int pw = page.width();
    const int ph = page.height();
    if (w <= 0 || h <= 0 || pw <= 0 || ph <= 0)
        return {};
    // How many picture pixels go to one page pixel, across and down.
    const double a = double(w) / pw;
    const double b = double(h) / ph;
    if (a > b) {
        // Relatively wider than the page: full width, centred vertically.
        const int height = int(std::lround(h / a));
        return {0, int(std::lround((ph - height) / 2.0)), pw, height};
    }
    const int width = int(std::lround(w / b));
    return {int(std::lround((pw - width) / 2.0)), 0, width, ph};
}
