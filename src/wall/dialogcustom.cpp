#include "wall/dialogcustom.h"

#include "uikit/dialogs.h"
#include "uikit/iconhelper.h"
#include "wall/scrsettingrules.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {
constexpr int kFormWidth = 760;
constexpr int kFormHeight = 520;
// Shown size of a table section for a value in wall pixels.
constexpr int kMinColumnWidth = 150;
constexpr int kMinRowHeight = 60;

} // namespace

DialogCustom::DialogCustom(int cols, int rows, const QList<int> &widths, const QList<int> &heights,
                           int totalWidth, int totalHeight, QWidget *parent)
    : FramelessDialog(parent),
      m_cols(std::max(cols, 1)),
      m_rows(std::max(rows, 1)),
      m_totalWidth(totalWidth),
      m_totalHeight(totalHeight),
      m_widths(wall::sizesFor(widths, m_cols, totalWidth)),
      m_heights(wall::sizesFor(heights, m_rows, totalHeight))
{
    setupUi();
    retranslateUi();
    fixScaledSize(kFormWidth, kFormHeight);
    connect(btnMenu_Close, &QPushButton::clicked, this, &QDialog::reject);
    connect(tableWidget->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &DialogCustom::checkColumnSlot);
    connect(tableWidget->verticalHeader(), &QHeaderView::sectionClicked, this, &DialogCustom::checkRowSlot);

    IconHelper::instance()->setIcon(lab_Ico, QChar(0xF0DB), 10);       // columns
    IconHelper::instance()->setIcon(btnMenu_Close, QChar(0xF00D), 10); // close
    refreshTable();
    checkColumnSlot(0);
}

void DialogCustom::setupUi()
{
    QVBoxLayout *root = buildFrame(QStringLiteral("DialogCustom"), kFormWidth, kFormHeight);

    auto *body = new QWidget(this);
    body->setObjectName(QStringLiteral("widget_main"));
    auto *layout = new QVBoxLayout(body);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->setSpacing(10);

    tableWidget = new QTableWidget(m_rows, m_cols, body);
    tableWidget->setObjectName(QStringLiteral("tableWidget"));
    tableWidget->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tableWidget->setSelectionMode(QAbstractItemView::SingleSelection);
    tableWidget->setWordWrap(true);
    layout->addWidget(tableWidget, 1);

    labelHint = new QLabel(body);
    labelHint->setObjectName(QStringLiteral("labelHint"));
    labelHint->setWordWrap(true);
    layout->addWidget(labelHint);

    auto *row = new QHBoxLayout;
    row->setSpacing(8);
    labelValue = new QLabel(body);
    labelValue->setObjectName(QStringLiteral("labelValue"));
    row->addWidget(labelValue);
    spinBox_2 = new QSpinBox(body);
    spinBox_2->setObjectName(QStringLiteral("spinBox_2"));
    spinBox_2->setMinimumSize(120, 28);
    // A typed value applies on Enter or when the focus leaves, not digit by digit.
    spinBox_2->setKeyboardTracking(false);
    row->addWidget(spinBox_2);
    row->addStretch(1);
    btnOk = new QPushButton(body);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setMinimumSize(80, 28);
    // OK leaves the focus in the spin box, so a value still being typed is taken (or refused)
    // by OK itself and never by the focus moving away in the middle of the click.
    btnOk->setFocusPolicy(Qt::NoFocus);
    row->addWidget(btnOk);
    layout->addLayout(row);
    root->addWidget(body, 1);

    QMetaObject::connectSlotsByName(this);
}

void DialogCustom::retranslateUi()
{
    lab_Title->setText(tr("自定义显示分辨率"));
    setWindowTitle(lab_Title->text());
    btnMenu_Close->setToolTip(tr("关闭"));
    labelHint->setText(tr("点击第一行的数字选中一列，可以调整该列的显示宽度；") + QLatin1Char('\n') +
                       tr("点击左边的数字选中一行，可以调整改行的显示高度。"));
    btnOk->setText(tr("确定"));
    QStringList columns;
    for (int c = 0; c < m_cols; ++c)
        columns.append(QString::number(c + 1) + tr(" 列"));
    tableWidget->setHorizontalHeaderLabels(columns);
    QStringList rows;
    for (int r = 0; r < m_rows; ++r)
        rows.append(QString::number(r + 1) + tr(" 行"));
    tableWidget->setVerticalHeaderLabels(rows);
}

void DialogCustom::refreshTable()
{
    for (int r = 0; r < m_rows; ++r) {
        for (int c = 0; c < m_cols; ++c) {
            const QString text = tr("宽度：") + QString::number(m_widths.at(c)) + QLatin1Char('\n') +
                                 tr("高度：") + QString::number(m_heights.at(r));
            QTableWidgetItem *item = tableWidget->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                item->setTextAlignment(Qt::AlignCenter);
                tableWidget->setItem(r, c, item);
            }
            item->setText(text);
        }
    }
    for (int c = 0; c < m_cols; ++c)
        tableWidget->setColumnWidth(c, std::max(kMinColumnWidth, m_widths.at(c) / 10));
    for (int r = 0; r < m_rows; ++r)
        tableWidget->setRowHeight(r, std::max(kMinRowHeight, m_heights.at(r) / 10));
}

void DialogCustom::checkColumnSlot(int col)
{
    select(true, col);
}

void DialogCustom::checkRowSlot(int row)
{
    select(false, row);
}

void DialogCustom::select(bool columnMode, int index)
{
    const QList<int> &sizes = columnMode ? m_widths : m_heights;
    if (index < 0 || index >= sizes.size())
        return;
    m_columnMode = columnMode;
    m_selected = index;
    if (columnMode) {
        tableWidget->setSelectionBehavior(QAbstractItemView::SelectColumns);
        tableWidget->setCurrentCell(0, index);
    } else {
        tableWidget->setSelectionBehavior(QAbstractItemView::SelectRows);
        tableWidget->setCurrentCell(index, 0);
    }
    labelValue->setText(columnMode ? tr("宽度：") : tr("高度："));
    const int total = columnMode ? m_totalWidth : m_totalHeight;
    {
        const QSignalBlocker blocker(spinBox_2);
        spinBox_2->setRange(wall::kMinCellPixels, std::max(wall::kMinCellPixels, total));
        spinBox_2->setValue(sizes.at(index));
    }
    // The last column (row) is what the others leave: shown, not edited.
    const bool last = index == sizes.size() - 1;
    spinBox_2->setEnabled(!last);
    spinBox_2->setToolTip(
        last ? (columnMode ? tr("最后一列的宽度由其他各列决定") : tr("最后一行的高度由其他各行决定"))
             : QString());
    if (!last)
        spinBox_2->setFocus();
}

void DialogCustom::on_spinBox_2_valueChanged(int arg1)
{
    QList<int> &sizes = m_columnMode ? m_widths : m_heights;
    const int total = m_columnMode ? m_totalWidth : m_totalHeight;
    const std::optional<QList<int>> next = wall::withRestOnLast(sizes, m_selected, arg1, total);
    if (!next) {
        // Nothing was changed: the old value goes back into the spin box, the rest stays.
        {
            const QSignalBlocker blocker(spinBox_2);
            spinBox_2->setValue(sizes.at(m_selected));
        }
        m_refused = true;
        uikit::Dialogs::showInfo(tr("设置值超过范围！"));
        return;
    }
    sizes = *next;
    refreshTable();
}

void DialogCustom::on_tableWidget_cellClicked(int row, int column)
{
    if (m_columnMode)
        checkColumnSlot(column);
    else
        checkRowSlot(row);
}

void DialogCustom::on_btnOk_clicked()
{
    // A value still being typed counts as entered; a refused one keeps the dialog open.
    m_refused = false;
    if (spinBox_2->isEnabled())
        spinBox_2->interpretText();
    if (!m_refused)
        accept();
}
