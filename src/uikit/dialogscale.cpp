#include "dialogscale.h"

namespace uikit {

namespace {
double g_scaleX = 1.0;
double g_scaleY = 1.0;
} // namespace

double dialogScaleX()
{
    return g_scaleX;
}

double dialogScaleY()
{
    return g_scaleY;
}

void setDialogScale(double logicalDpi)
{
    g_scaleX = logicalDpi / 96.0;
    // Tall dialogs would not fit on high-dpi laptop screens: the height grows a little less.
    g_scaleY = g_scaleX > 1.0 ? g_scaleX / 1.1 : g_scaleX;
}

} // namespace uikit
