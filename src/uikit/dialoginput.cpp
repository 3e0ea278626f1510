#include "dialoginput.h"

#include "iconhelper.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kFormWidth = 360;
constexpr int kFormHeight = 170;
} // namespace

DialogInput::DialogInput(const QString &prompt, const QString &initialText, bool showPicture, QWidget *parent)
    : FramelessDialog(parent)
{
    setupUi();
    labelInfo->setText(prompt);
    lineEdit->setText(initialText);
    lineEdit->selectAll();
    // The input dialog keeps the size of its form, unscaled.
    setFixedSize(kFormWidth, kFormHeight);
    connect(btnMenu_Close, &QPushButton::clicked, this, &QDialog::reject);

    IconHelper::instance()->setIcon(lab_Ico, QChar(0xF11C), 10);
    IconHelper::instance()->setIcon(btnMenu_Close, QChar(0xF00D), 10);
    IconHelper::instance()->setIcon(labelPicture, QChar(0xF044), 28);
    if (!showPicture)
        labelPicture->hide();
}

void DialogInput::setupUi()
{
    QVBoxLayout *root = buildFrame(QStringLiteral("DialogInput"), kFormWidth, kFormHeight);

    auto *body = new QWidget(this);
    body->setObjectName(QStringLiteral("widget_main"));
    auto *bodyLayout = new QHBoxLayout(body);
    bodyLayout->setContentsMargins(12, 10, 12, 10);
    bodyLayout->setSpacing(12);

    labelPicture = new QLabel(body);
    labelPicture->setObjectName(QStringLiteral("labelPicture"));
    labelPicture->setFixedSize(48, 48);
    labelPicture->setAlignment(Qt::AlignCenter);
    bodyLayout->addWidget(labelPicture, 0, Qt::AlignTop);

    auto *fields = new QVBoxLayout;
    fields->setSpacing(8);
    labelInfo = new QLabel(body);
    labelInfo->setObjectName(QStringLiteral("labelInfo"));
    labelInfo->setWordWrap(true);
    fields->addWidget(labelInfo);
    lineEdit = new QLineEdit(body);
    lineEdit->setObjectName(QStringLiteral("lineEdit"));
    lineEdit->setMinimumHeight(26);
    fields->addWidget(lineEdit);
    fields->addStretch(1);

    auto *buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    btnOk = new QPushButton(body);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setMinimumSize(80, 28);
    btnOk->setDefault(true);
    buttonRow->addWidget(btnOk);
    fields->addLayout(buttonRow);
    bodyLayout->addLayout(fields, 1);
    root->addWidget(body, 1);

    lab_Title->setText(QCoreApplication::translate("DialogInput", "输入"));
    setWindowTitle(lab_Title->text());
    btnMenu_Close->setToolTip(QCoreApplication::translate("DialogInput", "关闭"));
    btnOk->setText(QCoreApplication::translate("DialogInput", "确定"));

    QMetaObject::connectSlotsByName(this);
}

void DialogInput::on_btnOk_clicked()
{
    m_text = lineEdit->text();
    accept();
}
