#include "dialogaddresource.h"

#include "library/resourcetypes.h"
#include "uikit/dialogs.h"
#include "uikit/helpers.h"
#include "uikit/iconhelper.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kFormWidth = 480;
constexpr int kFormHeight = 260;

// The file name part of a chosen path (after the last "\" or "/"), as it is.
QString lastPart(const QString &path)
{
    const int slash = qMax(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
    return path.mid(slash + 1);
}
} // namespace

DialogAddResource::DialogAddResource(int type, QWidget *parent) : FramelessDialog(parent), m_type(type)
{
    setupUi();
    retranslateUi();
    fixScaledSize(kFormWidth, kFormHeight);
    connect(btnMenu_Close, &QPushButton::clicked, this, &QDialog::reject);

    IconHelper::instance()->setIcon(lab_Ico, QChar(0xF067), 10);       // plus
    IconHelper::instance()->setIcon(btnMenu_Close, QChar(0xF00D), 10); // close
    IconHelper::instance()->setIcon(btnSelRes, QChar(0xF07C), 12);     // open folder

    const bool typedAddress = type == 2 || type == 4;
    btnSelRes->setVisible(!typedAddress);
    const bool credentials = type == 2;
    labelUserName->setVisible(credentials);
    lineEditUserName->setVisible(credentials);
    labelPwd->setVisible(credentials);
    lineEditPwd->setVisible(credentials);
}

void DialogAddResource::setupUi()
{
    QVBoxLayout *root = buildFrame(QStringLiteral("DialogAddResource"), kFormWidth, kFormHeight);

    auto *body = new QWidget(this);
    body->setObjectName(QStringLiteral("widget_main"));
    auto *grid = new QGridLayout(body);
    grid->setContentsMargins(16, 12, 16, 12);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(10);

    auto addRow = [&](int row, const char *labelObject, QLabel **label, const char *editObject,
                      QLineEdit **edit) {
        *label = new QLabel(body);
        (*label)->setObjectName(QLatin1String(labelObject));
        (*label)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(*label, row, 0);
        *edit = new QLineEdit(body);
        (*edit)->setObjectName(QLatin1String(editObject));
        (*edit)->setMinimumHeight(26);
        grid->addWidget(*edit, row, 1);
    };
    addRow(0, "labelName", &labelName, "lineEditName", &lineEditName);
    addRow(1, "labelPath", &labelPath, "lineEditPath", &lineEditPath);
    btnSelRes = new QPushButton(body);
    btnSelRes->setObjectName(QStringLiteral("btnSelRes"));
    btnSelRes->setFixedSize(32, 26);
    grid->addWidget(btnSelRes, 1, 2);
    addRow(2, "labelUserName", &labelUserName, "lineEditUserName", &lineEditUserName);
    addRow(3, "labelPwd", &labelPwd, "lineEditPwd", &lineEditPwd);
    lineEditPwd->setEchoMode(QLineEdit::Password);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(4, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    btnOk = new QPushButton(body);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setMinimumSize(80, 28);
    btnOk->setDefault(true);
    buttons->addWidget(btnOk);
    btnCancel = new QPushButton(body);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setMinimumSize(80, 28);
    buttons->addWidget(btnCancel);
    grid->addLayout(buttons, 5, 0, 1, 3);
    root->addWidget(body, 1);

    QMetaObject::connectSlotsByName(this);
}

void DialogAddResource::retranslateUi()
{
    lab_Title->setText(tr("添加资源"));
    setWindowTitle(lab_Title->text());
    btnMenu_Close->setToolTip(tr("关闭"));
    labelName->setText(tr("资源名称："));
    labelPath->setText(tr("资源路径："));
    labelUserName->setText(tr("用户名："));
    labelPwd->setText(tr("密码："));
    btnOk->setText(tr("确定"));
    btnCancel->setText(tr("取消"));
}

bool DialogAddResource::acceptOtherFile(const QString &path)
{
    const QString ext = uikit::fileSuffix(lastPart(path));
    if (ext == QLatin1String("exe")) {
        uikit::Dialogs::showInfo(QCoreApplication::translate("DialogAddResource", "客户端不能添加exe文件"));
        return false;
    }
    static const QStringList office = {QStringLiteral("doc"), QStringLiteral("docx"),
                                       QStringLiteral("ppt"), QStringLiteral("pptx"),
                                       QStringLiteral("xls"), QStringLiteral("xlsx")};
    if (office.contains(ext)) {
        uikit::Dialogs::showInfo(
            QCoreApplication::translate("DialogAddResource", "Office文档请添加到Office类别！"));
        return false;
    }
    return true;
}

void DialogAddResource::on_btnSelRes_clicked()
{
    const library::ResourceTypeSpec *row = library::resourceTypeOfDialog(m_type);
    if (!row || !library::needsUpload(*row))
        return;
    const QString chosen = uikit::Dialogs::getOpenFileName(this, tr(row->title), tr(row->filter));
    if (m_type == 5 && !chosen.isEmpty() && !acceptOtherFile(chosen)) {
        lineEditPath->clear();
        lineEditName->clear();
        return;
    }
    lineEditPath->setText(chosen);
    lineEditName->setText(uikit::fileNameOf(chosen));
}

void DialogAddResource::on_btnOk_clicked()
{
    m_name = lineEditName->text();
    m_path = lineEditPath->text();
    m_userName = lineEditUserName->text();
    m_password = lineEditPwd->text();
    accept();
}

void DialogAddResource::on_btnCancel_clicked()
{
    reject();
}
