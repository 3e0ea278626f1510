#include "formautoswitch.h"

#include "library/imagewidget.h"
#include "library/qlyblistwidget.h"
#include "platform/platformpaths.h"
#include "uikit/dialogs.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidgetItem>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

using scenes::PlanRow;
using scenes::PlanRows;

namespace {
constexpr int kNameWidth = 160;
constexpr int kSecondsWidth = 90;
constexpr int kDefaultInterval = 5;

QList<QListWidgetItem *> sceneItems(const ImageWidget *strip)
{
    QList<QListWidgetItem *> items;
    if (!strip)
        return items;
    const QLybListWidget *list = strip->listWidget();
    for (int i = 0; i < list->count(); ++i)
        items.append(list->item(i));
    return items;
}
} // namespace

FormAutoSwitch::FormAutoSwitch(QWidget *parent) : QWidget(parent)
{
    // Both flags are the controller's business as far as this console knows: read once and
    // never written here. A rotation recorded as running shows its stop button.
    const auto registry = platform::lastConnectSettings();
    m_running = registry->value(QStringLiteral("QuickStarted"), false).toBool();
    m_dailyPlan = registry->value(QStringLiteral("PlanStarted"), false).toBool();

    setupUi();
    retranslateUi();

    connect(btnQuick, &QPushButton::clicked, this, &FormAutoSwitch::on_btnQuick_clicked);
    connect(btnModalUp, &QPushButton::clicked, this, &FormAutoSwitch::on_btnModalUp_clicked);
    connect(btnModalDown, &QPushButton::clicked, this, &FormAutoSwitch::on_btnModalDown_clicked);
    connect(spinBoxQuick, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &FormAutoSwitch::on_spinBoxQuick_valueChanged);
}

void FormAutoSwitch::setupUi()
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(6);

    listAutoSwitch = new QTableWidget(0, 2, this);
    listAutoSwitch->setObjectName(QStringLiteral("listAutoSwitch"));
    listAutoSwitch->setSelectionBehavior(QAbstractItemView::SelectRows);
    listAutoSwitch->setSelectionMode(QAbstractItemView::SingleSelection);
    listAutoSwitch->setEditTriggers(QAbstractItemView::DoubleClicked);
    listAutoSwitch->verticalHeader()->hide();
    listAutoSwitch->verticalHeader()->setDefaultSectionSize(24);
    listAutoSwitch->horizontalHeader()->setHighlightSections(false);
    listAutoSwitch->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // The duration column takes what the name leaves, so that its title fits.
    listAutoSwitch->horizontalHeader()->setStretchLastSection(true);
    listAutoSwitch->setStyleSheet(QStringLiteral("QHeaderView::section{padding:4px 2px;}"));
    listAutoSwitch->setColumnWidth(0, kNameWidth);
    listAutoSwitch->setColumnWidth(1, kSecondsWidth);
    listAutoSwitch->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    listAutoSwitch->setFixedWidth(kNameWidth + kSecondsWidth + 2 * listAutoSwitch->frameWidth() + 14);
    row->addWidget(listAutoSwitch);

    auto *moves = new QVBoxLayout;
    moves->setSpacing(6);
    btnModalUp = new QPushButton(this);
    btnModalUp->setObjectName(QStringLiteral("btnModalUp"));
    btnModalUp->setIcon(QIcon(QStringLiteral(":/images/up.png")));
    btnModalDown = new QPushButton(this);
    btnModalDown->setObjectName(QStringLiteral("btnModalDown"));
    btnModalDown->setIcon(QIcon(QStringLiteral(":/images/down.png")));
    for (QPushButton *button : {btnModalUp, btnModalDown}) {
        button->setIconSize(QSize(20, 20));
        button->setFixedWidth(44);
        button->setFocusPolicy(Qt::NoFocus);
        moves->addWidget(button);
    }
    moves->addStretch(1);
    row->addLayout(moves);

    auto *controls = new QVBoxLayout;
    controls->setSpacing(6);
    labelTitle = new QLabel(this);
    labelTitle->setObjectName(QStringLiteral("labelTitle"));
    labelTitle->setStyleSheet(QStringLiteral("color:#ffffff;font-size:16px;font-weight:bold;"));
    controls->addWidget(labelTitle);
    auto *interval = new QHBoxLayout;
    interval->setSpacing(4);
    labelInterval = new QLabel(this);
    labelInterval->setObjectName(QStringLiteral("labelInterval"));
    labelInterval->setStyleSheet(QStringLiteral("color:#ffffff;font-size:14px;"));
    spinBoxQuick = new QSpinBox(this);
    spinBoxQuick->setObjectName(QStringLiteral("spinBoxQuick"));
    spinBoxQuick->setRange(1, 65536);
    spinBoxQuick->setValue(kDefaultInterval);
    spinBoxQuick->setMinimumWidth(90);
    interval->addWidget(labelInterval);
    interval->addWidget(spinBoxQuick, 1);
    controls->addLayout(interval);
    btnQuick = new QPushButton(this);
    btnQuick->setObjectName(QStringLiteral("btnQuick"));
    btnQuick->setFocusPolicy(Qt::NoFocus);
    controls->addWidget(btnQuick);
    controls->addStretch(1);
    row->addLayout(controls, 1);
}

void FormAutoSwitch::retranslateUi()
{
    listAutoSwitch->setHorizontalHeaderLabels({tr("场景名称"), tr("播放时长(分钟)")});
    spinBoxQuick->setSuffix(tr(" 秒"));
    labelTitle->setText(tr("快速轮巡"));
    labelInterval->setText(tr("轮巡间隔："));
    // A running rotation keeps its stop button in the new language.
    btnQuick->setText(m_running ? tr("停止轮巡") : tr("开始轮巡"));
}

void FormAutoSwitch::setModalList(ImageWidget *modalList)
{
    m_modalList = modalList;
    if (m_modalList)
        m_modalList->setEnabled(!m_running);
}

PlanRows FormAutoSwitch::rows() const
{
    PlanRows result;
    for (int r = 0; r < listAutoSwitch->rowCount(); ++r) {
        const QTableWidgetItem *name = listAutoSwitch->item(r, 0);
        const QTableWidgetItem *seconds = listAutoSwitch->item(r, 1);
        result.append({name ? name->text() : QString(), seconds ? seconds->text() : QString()});
    }
    return result;
}

void FormAutoSwitch::setRows(const PlanRows &rows)
{
    listAutoSwitch->clearContents();
    listAutoSwitch->setRowCount(rows.size());
    for (int r = 0; r < rows.size(); ++r) {
        auto *name = new QTableWidgetItem(rows.at(r).name);
        name->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        listAutoSwitch->setItem(r, 0, name);
        listAutoSwitch->setItem(r, 1, new QTableWidgetItem(rows.at(r).seconds));
    }
}

void FormAutoSwitch::on_modalItemClicked(QListWidgetItem *item)
{
    if (!item)
        return;
    PlanRows plan = rows();
    const bool checked =
        scenes::toggleScene(plan, item->text(), item->checkState() == Qt::Checked, spinBoxQuick->value());
    item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    setRows(plan);
}

void FormAutoSwitch::setAllChecked(bool checked)
{
    PlanRows plan = rows();
    const QList<QListWidgetItem *> items = sceneItems(m_modalList);
    for (QListWidgetItem *item : items) {
        // As if each scene had the other state and were clicked once.
        const bool now = scenes::toggleScene(plan, item->text(), !checked, spinBoxQuick->value());
        item->setCheckState(now ? Qt::Checked : Qt::Unchecked);
    }
    setRows(plan);
}

void FormAutoSwitch::collectPlan(SwitchPlan &plan) const
{
    plan = scenes::collectPlan(rows());
}

void FormAutoSwitch::setPlan(bool running, SwitchPlan &plan)
{
    setRunning(running);
    const QList<QListWidgetItem *> items = sceneItems(m_modalList);
    QStringList names;
    for (QListWidgetItem *item : items) {
        item->setCheckState(Qt::Unchecked);
        names.append(item->text());
    }
    const PlanRows kept = scenes::rowsForPlan(plan, names);
    for (const PlanRow &row : kept)
        items.at(names.indexOf(row.name))->setCheckState(Qt::Checked);
    setRows(kept);
    collectPlan(plan);
}

void FormAutoSwitch::stopAndClear()
{
    if (m_running) {
        setRunning(false);
        emit onStartQuickSwitch(spinBoxQuick->value(), false);
    }
    listAutoSwitch->setRowCount(0);
}

void FormAutoSwitch::setRunning(bool running)
{
    m_running = running;
    btnQuick->setText(running ? tr("停止轮巡") : tr("启动轮巡"));
    if (m_modalList)
        m_modalList->setEnabled(!running);
}

void FormAutoSwitch::on_btnQuick_clicked()
{
    if (m_dailyPlan) {
        uikit::Dialogs::showInfo(tr("正在执行每日计划，请先停止。"));
        return;
    }
    // The state is set before the announcement, so that its receiver can take it back when
    // the controller does not follow.
    const bool start = !m_running;
    setRunning(start);
    emit onStartQuickSwitch(spinBoxQuick->value(), start);
}

void FormAutoSwitch::on_spinBoxQuick_valueChanged(int value)
{
    PlanRows plan = rows();
    scenes::setAllDurations(plan, value);
    for (int r = 0; r < plan.size(); ++r) {
        if (QTableWidgetItem *seconds = listAutoSwitch->item(r, 1))
            seconds->setText(plan.at(r).seconds);
    }
}

void FormAutoSwitch::moveSelectedRow(int delta)
{
    const QModelIndexList selected = listAutoSwitch->selectionModel()->selectedIndexes();
    if (selected.isEmpty()) {
        uikit::Dialogs::showInfo(tr("请先在左侧列表中选择您要移动的场景。"));
        return;
    }
    int row = selected.first().row();
    for (const QModelIndex &index : selected)
        row = qMin(row, index.row());
    PlanRows plan = rows();
    const int target = scenes::moveRow(plan, row, delta);
    if (target == row)
        return;
    setRows(plan);
    listAutoSwitch->selectRow(target);
}
