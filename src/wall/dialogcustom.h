#pragma once

#include "uikit/framelessdialog.h"

#include <QList>

class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;

// Edits the column widths and row heights of one screen group: a table with one cell per
// monitor, a column or row selected by its header or a cell, and a spin box for the
// selected value. The last column (row) always takes the rest of the group's width
// (height), so its value is shown but not edited. Run it through uikit::Dialogs::exec and
// read widths() and heights() after an Accepted result.
class DialogCustom : public FramelessDialog
{
    Q_OBJECT
public:
    // Sizes that do not fit the counts and totals (see wall::sizesFor) start as the even
    // split.
    DialogCustom(int cols, int rows, const QList<int> &widths, const QList<int> &heights, int totalWidth,
                 int totalHeight, QWidget *parent = nullptr);

    QList<int> widths() const { return m_widths; }
    QList<int> heights() const { return m_heights; }
    bool columnMode() const { return m_columnMode; }
    int selectedIndex() const { return m_selected; }

public slots:
    // Selects a column (width) or a row (height) for the spin box.
    void checkColumnSlot(int col);
    void checkRowSlot(int row);

private slots:
    // The selected value becomes the spin box's; the last column (row) takes the rest. A rest
    // narrower than 17 pixels is refused with a message and the old value comes back.
    void on_spinBox_2_valueChanged(int arg1);
    // A cell selects its column in column mode, its row otherwise.
    void on_tableWidget_cellClicked(int row, int column);
    // Takes a value still being typed first; accepts unless it was refused.
    void on_btnOk_clicked();

private:
    void setupUi();
    void retranslateUi();
    void select(bool columnMode, int index);
    // Cell texts and section sizes from the current values.
    void refreshTable();

    int m_cols;
    int m_rows;
    int m_totalWidth;
    int m_totalHeight;
    QList<int> m_widths;
    QList<int> m_heights;
    bool m_columnMode = true;
    int m_selected = 0;
    bool m_refused = false; // the last value entered was refused

    QTableWidget *tableWidget = nullptr;
    QLabel *labelHint = nullptr;
    QLabel *labelValue = nullptr;
    QSpinBox *spinBox_2 = nullptr;
    QPushButton *btnOk = nullptr;
};
