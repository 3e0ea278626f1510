#include "wall/dialogmcscrsetting.h"

#include "uikit/dialogs.h"
#include "uikit/iconhelper.h"
#include "uikit/nestedwait.h"
#include "wall/dialogcustom.h"
#include "wall/scrsettingrules.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kFormWidth = 420;
constexpr int kFormHeight = 330;

// Why a group's column widths (row heights) cannot be sent, or an empty text.
QString sizesMessage(wall::SizesProblem problem, bool columns, const QList<int> &sizes, int count, int total)
{
    switch (problem) {
    case wall::SizesProblem::None:
        return QString();
    case wall::SizesProblem::WrongCount:
        return (columns ? DialogMCScrSetting::tr("列宽的个数（%1）与水平分割数量（%2）不一致！")
                        : DialogMCScrSetting::tr("行高的个数（%1）与纵向分割数量（%2）不一致！"))
            .arg(sizes.size())
            .arg(count);
    case wall::SizesProblem::TooSmall:
        return (columns ? DialogMCScrSetting::tr("每列宽度至少为 %1 像素！")
                        : DialogMCScrSetting::tr("每行高度至少为 %1 像素！"))
            .arg(wall::kMinCellPixels);
    case wall::SizesProblem::WrongSum:
        return (columns ? DialogMCScrSetting::tr("各列宽度之和（%1）与水平像素（%2）不一致！")
                        : DialogMCScrSetting::tr("各行高度之和（%1）与纵向像素（%2）不一致！"))
            .arg(wall::sumOf(sizes))
            .arg(total);
    }
    return QString();
}
} // namespace

DialogMCScrSetting::DialogMCScrSetting(const S_SCR_SETTING &setting, QWidget *parent)
    : FramelessDialog(parent), m_setting(setting), m_original(setting)
{
    setupUi();
    retranslateUi();
    fixScaledSize(kFormWidth, kFormHeight);
    connect(btnMenu_Close, &QPushButton::clicked, this, &QDialog::reject);
    IconHelper::instance()->setIcon(lab_Ico, QChar(0xF108), 10);       // monitor
    IconHelper::instance()->setIcon(btnMenu_Close, QChar(0xF00D), 10); // close

    for (const S_SCR_GROUP &group : qAsConst(m_setting.groups))
        comboScrName->addItem(group.name);
    const int current =
        m_setting.scrIndex >= 0 && m_setting.scrIndex < m_setting.groups.size() ? m_setting.scrIndex : 0;
    comboScrName->setCurrentIndex(m_setting.groups.isEmpty() ? -1 : current);
    fillEdits(current);
    // Without groups there is nothing to edit.
    const bool groups = !m_setting.groups.isEmpty();
    for (QWidget *widget : {static_cast<QWidget *>(comboScrName), static_cast<QWidget *>(editScrCols),
                            static_cast<QWidget *>(editScrRows), static_cast<QWidget *>(btnCustomScrSize),
                            static_cast<QWidget *>(btnOk)})
        widget->setEnabled(groups);
    m_building = false;
}

void DialogMCScrSetting::setupUi()
{
    QVBoxLayout *root = buildFrame(QStringLiteral("DialogMCScrSetting"), kFormWidth, kFormHeight);

    auto *body = new QWidget(this);
    body->setObjectName(QStringLiteral("widget_main"));
    auto *grid = new QGridLayout(body);
    grid->setContentsMargins(24, 16, 24, 16);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(10);

    auto label = [&](int row, const char *object) {
        auto *l = new QLabel(body);
        l->setObjectName(QLatin1String(object));
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(l, row, 0);
        return l;
    };
    auto edit = [&](int row, const char *object) {
        auto *e = new QLineEdit(body);
        e->setObjectName(QLatin1String(object));
        e->setMinimumHeight(26);
        grid->addWidget(e, row, 1);
        return e;
    };
    labelScrName = label(0, "labelScrName");
    comboScrName = new QComboBox(body);
    comboScrName->setObjectName(QStringLiteral("comboScrName"));
    comboScrName->setMinimumHeight(26);
    // The text is the group's name; Enter must not add a group of its own.
    comboScrName->setEditable(true);
    comboScrName->setInsertPolicy(QComboBox::NoInsert);
    grid->addWidget(comboScrName, 0, 1);
    labelHrozPels = label(1, "labelHrozPels");
    editHrozPels = edit(1, "editHrozPels");
    labelVertPels = label(2, "labelVertPels");
    editVertPels = edit(2, "editVertPels");
    // The group's size is that of its monitors: the controller takes no other. Shown
    // greyed, so that it does not look like a field to type in.
    editHrozPels->setEnabled(false);
    editVertPels->setEnabled(false);
    labelScrCols = label(3, "labelScrCols");
    editScrCols = edit(3, "editScrCols");
    labelScrRows = label(4, "labelScrRows");
    editScrRows = edit(4, "editScrRows");
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(5, 1);

    auto *buttons = new QHBoxLayout;
    btnCustomScrSize = new QPushButton(body);
    btnCustomScrSize->setObjectName(QStringLiteral("btnCustomScrSize"));
    btnCustomScrSize->setMinimumSize(100, 28);
    buttons->addWidget(btnCustomScrSize);
    buttons->addStretch(1);
    btnOk = new QPushButton(body);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setMinimumSize(80, 28);
    btnOk->setDefault(true);
    buttons->addWidget(btnOk);
    grid->addLayout(buttons, 6, 0, 1, 2);
    root->addWidget(body, 1);

    QMetaObject::connectSlotsByName(this);
}

void DialogMCScrSetting::retranslateUi()
{
    lab_Title->setText(tr("屏幕设置"));
    setWindowTitle(lab_Title->text());
    btnMenu_Close->setToolTip(tr("关闭"));
    labelScrName->setText(tr("屏幕序号："));
    labelHrozPels->setText(tr("水平像素："));
    labelVertPels->setText(tr("纵向像素："));
    labelScrCols->setText(tr("水平分割数量："));
    labelScrRows->setText(tr("纵向分割数量："));
    btnCustomScrSize->setText(tr("自定义宽高"));
    btnOk->setText(tr("确定"));
}

S_SCR_GROUP *DialogMCScrSetting::chosen()
{
    const int index = comboScrName->currentIndex();
    if (index < 0 || index >= m_setting.groups.size())
        return nullptr;
    return &m_setting.groups[index];
}

void DialogMCScrSetting::fillEdits(int index)
{
    if (index < 0 || index >= m_setting.groups.size())
        return;
    const S_SCR_GROUP &group = m_setting.groups.at(index);
    editHrozPels->setText(QString::number(group.width));
    editVertPels->setText(QString::number(group.height));
    editScrCols->setText(QString::number(group.scrCols));
    editScrRows->setText(QString::number(group.scrRows));
}

void DialogMCScrSetting::on_comboScrName_currentIndexChanged(int index)
{
    if (m_building)
        return;
    fillEdits(index);
}

void DialogMCScrSetting::on_editScrCols_textEdited(QString arg1)
{
    S_SCR_GROUP *group = chosen();
    if (!group || arg1.trimmed().isEmpty())
        return;
    if (const std::optional<int> cols = wall::parseSplitCount(arg1, group->width))
        group->customWidth = wall::splitLength(group->width, *cols);
}

void DialogMCScrSetting::on_editScrRows_textEdited(QString arg1)
{
    S_SCR_GROUP *group = chosen();
    if (!group || arg1.trimmed().isEmpty())
        return;
    if (const std::optional<int> rows = wall::parseSplitCount(arg1, group->height))
        group->customHeight = wall::splitLength(group->height, *rows);
}

void DialogMCScrSetting::restoreGroup(int index)
{
    const S_SCR_GROUP &old = m_original.groups.at(index);
    S_SCR_GROUP &group = m_setting.groups[index];
    group.customWidth = old.customWidth;
    group.customHeight = old.customHeight;
    editScrCols->setText(QString::number(old.scrCols));
    editScrRows->setText(QString::number(old.scrRows));
}

void DialogMCScrSetting::refuse(const QString &message)
{
    uikit::Dialogs::showInfo(message);
}

bool DialogMCScrSetting::readCounts(int *cols, int *rows)
{
    const int index = comboScrName->currentIndex();
    const S_SCR_GROUP &group = m_setting.groups.at(index);
    const std::optional<int> c = wall::parseSplitCount(editScrCols->text(), group.width);
    const std::optional<int> r = wall::parseSplitCount(editScrRows->text(), group.height);
    if (!c || !r) {
        const QString message =
            !c ? tr("水平分割数量应为 1 到 %1 之间的整数！").arg(wall::maxSplitCount(group.width))
               : tr("纵向分割数量应为 1 到 %1 之间的整数！").arg(wall::maxSplitCount(group.height));
        restoreGroup(index);
        refuse(message);
        return false;
    }
    *cols = *c;
    *rows = *r;
    return true;
}

void DialogMCScrSetting::on_btnCustomScrSize_clicked()
{
    const int index = comboScrName->currentIndex();
    int cols = 0;
    int rows = 0;
    if (!chosen() || !readCounts(&cols, &rows))
        return;
    const S_SCR_GROUP &group = m_setting.groups.at(index);
    QPointer<DialogMCScrSetting> self(this);
    QPointer<DialogCustom> dialog =
        new DialogCustom(cols, rows, group.customWidth, group.customHeight, group.width, group.height, this);
    const int result = uikit::Dialogs::exec(dialog);
    if (!self || !dialog)
        return;
    if (result == QDialog::Accepted) {
        S_SCR_GROUP &edited = m_setting.groups[index];
        edited.customWidth = dialog->widths();
        edited.customHeight = dialog->heights();
    }
    uikit::retire(dialog);
}

void DialogMCScrSetting::on_btnOk_clicked()
{
    S_SCR_GROUP *group = chosen();
    if (!group)
        return;
    const int index = comboScrName->currentIndex();
    const QString name = comboScrName->currentText().trimmed();
    if (name.isEmpty()) {
        comboScrName->setEditText(m_original.groups.at(index).name);
        refuse(tr("屏幕名称不能为空！"));
        return;
    }
    int cols = 0;
    int rows = 0;
    if (!readCounts(&cols, &rows))
        return;
    QStringList problems = {sizesMessage(wall::checkSizes(group->customWidth, cols, group->width), true,
                                         group->customWidth, cols, group->width),
                            sizesMessage(wall::checkSizes(group->customHeight, rows, group->height), false,
                                         group->customHeight, rows, group->height)};
    problems.removeAll(QString());
    if (!problems.isEmpty()) {
        restoreGroup(index);
        refuse(problems.join(QLatin1Char('\n')));
        return;
    }
    group->name = name;
    group->scrCols = cols;
    group->scrRows = rows;
    m_chosenIndex = index;
    accept();
}
