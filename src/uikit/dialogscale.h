#pragma once

// Process-wide factors that size the console's dialogs, set once while the main window is
// built: dialogScaleX = logical dpi / 96; dialogScaleY = dialogScaleX / 1.1 when
// dialogScaleX > 1, else dialogScaleX.
namespace uikit {
double dialogScaleX();
double dialogScaleY();
void setDialogScale(double logicalDpi);
} // namespace uikit
