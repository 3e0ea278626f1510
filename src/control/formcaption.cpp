#include "control/formcaption.h"

#include "uikit/nestedwait.h"

#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidgetAction>

namespace {

constexpr int kSwatchSide = 30;
constexpr int kBoardSpacing = 2;
// 254: the transparent entry is as wide as the grid.
constexpr int kBoardWidth =
    caption::kBoardColumns * kSwatchSide + (caption::kBoardColumns - 1) * kBoardSpacing;
// The board opens above its button, its lower edge about at the button's upper edge.
constexpr int kBoardLift = 253;

template<typename T>
T *make(QWidget *parent, const char *name)
{
    auto *widget = new T(parent);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QIcon swatchIcon(const QColor &colour)
{
    QPixmap pixmap(kSwatchSide, kSwatchSide);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

// Selects the item showing `text`; no change when there is none.
void selectText(QComboBox *combo, const QString &text)
{
    const int index = combo->findText(text);
    if (index >= 0)
        combo->setCurrentIndex(index);
}

const char *const kBoardStyle = "QMenu{padding:4px;}"
                                "QToolButton{border:1px solid rgba(255,255,255,60);border-radius:0px;"
                                "color:rgb(235,242,247);font-size:14px;background:transparent;}"
                                "QToolButton:hover{border:2px solid rgb(255,255,255);}"
                                "QToolButton:pressed{border:2px solid rgb(220,80,6);}";

} // namespace

FormCaption::FormCaption(QWidget *parent) : QWidget(parent)
{
    setupUi();
    m_heldAlpha.setSingleShot(true);
    connect(&m_heldAlpha, &QTimer::timeout, this, &FormCaption::sendHeldAlpha);
    connect(btnStartOsd, &QPushButton::clicked, this, &FormCaption::on_btnStartOsd_clicked);
    connect(btnStopOsd, &QPushButton::clicked, this, &FormCaption::on_btnStopOsd_clicked);
    connect(comboBox, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &FormCaption::on_comboBox_currentIndexChanged);
    connect(horizontalSlider, &QSlider::valueChanged, this, &FormCaption::on_horizontalSlider_valueChanged);
    connect(horizontalSlider, &QSlider::sliderReleased, this,
            &FormCaption::on_horizontalSlider_sliderReleased);
    connect(comboFontName, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &FormCaption::on_comboFontName_currentIndexChanged);
    connect(comboFontSize, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &FormCaption::on_comboFontSize_currentIndexChanged);
    connect(btnTextColor, &QPushButton::clicked, this, &FormCaption::on_btnTextColor_clicked);
    connect(btnBtColor, &QPushButton::clicked, this, &FormCaption::on_btnBtColor_clicked);

    applyTexts();
    rebuildColorBoards();
    styleColorLabel(labelTextColor, m_settings.textColor);
    styleColorLabel(labelBgColor, m_settings.bgColor);
    btnStopOsd->setEnabled(false);
}

FormCaption::~FormCaption()
{
    m_heldAlpha.stop();
}

void FormCaption::setupUi()
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(6, 2, 6, 2);
    row->setSpacing(14);

    textCaption = make<QPlainTextEdit>(this, "textCaption");
    textCaption->setStyleSheet(QStringLiteral("QPlainTextEdit#textCaption{font-size:18px;}"));
    row->addWidget(textCaption, 5);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(10);
    auto addLabel = [&](const char *name, int r, int c) {
        QLabel *label = make<QLabel>(this, name);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(label, r, c);
        return label;
    };
    m_fontLabel = addLabel("labelFontName", 0, 0);
    comboFontName = make<QComboBox>(this, "comboFontName");
    comboFontName->setMinimumWidth(200);
    grid->addWidget(comboFontName, 0, 1);
    m_sizeLabel = addLabel("labelFontSize", 0, 2);
    comboFontSize = make<QComboBox>(this, "comboFontSize");
    comboFontSize->setMinimumWidth(80);
    grid->addWidget(comboFontSize, 0, 3);
    m_speedLabel = addLabel("labelSpeed", 0, 4);
    comboBox = make<QComboBox>(this, "comboBox");
    comboBox->setMinimumWidth(110);
    grid->addWidget(comboBox, 0, 5);

    auto colourPair = [&](const char *labelName, const char *buttonName, QLabel **label,
                          QPushButton **button) {
        auto *pair = new QHBoxLayout;
        pair->setSpacing(6);
        *label = make<QLabel>(this, labelName);
        (*label)->setFixedSize(56, 28);
        *button = make<QPushButton>(this, buttonName);
        (*button)->setFocusPolicy(Qt::NoFocus);
        pair->addWidget(*label);
        pair->addWidget(*button);
        pair->addStretch(1);
        return pair;
    };
    m_textColorTitle = addLabel("labelTextColorTitle", 1, 0);
    grid->addLayout(colourPair("labelTextColor", "btnTextColor", &labelTextColor, &btnTextColor), 1, 1);
    m_bgColorTitle = addLabel("labelBgColorTitle", 1, 2);
    grid->addLayout(colourPair("labelBgColor", "btnBtColor", &labelBgColor, &btnBtColor), 1, 3);
    m_alphaLabel = addLabel("labelAlpha", 1, 4);
    horizontalSlider = make<QSlider>(this, "horizontalSlider");
    horizontalSlider->setOrientation(Qt::Horizontal);
    horizontalSlider->setRange(0, 255);
    horizontalSlider->setSingleStep(8);
    horizontalSlider->setPageStep(32);
    horizontalSlider->setValue(255);
    horizontalSlider->setMinimumWidth(110);
    grid->addWidget(horizontalSlider, 1, 5);
    row->addLayout(grid, 6);

    auto *buttons = new QVBoxLayout;
    buttons->setSpacing(10);
    btnStartOsd = make<QPushButton>(this, "btnStartOsd");
    btnStopOsd = make<QPushButton>(this, "btnStopOsd");
    for (QPushButton *button : {btnStartOsd, btnStopOsd}) {
        button->setMinimumWidth(110);
        button->setFocusPolicy(Qt::NoFocus);
        buttons->addWidget(button);
    }
    buttons->addStretch(1);
    row->addLayout(buttons);
}

void FormCaption::applyTexts()
{
    textCaption->setPlaceholderText(tr("在此输入字幕内容"));
    m_fontLabel->setText(tr("字体"));
    m_sizeLabel->setText(tr("字号"));
    m_speedLabel->setText(tr("滚动速度"));
    m_textColorTitle->setText(tr("文字颜色"));
    m_bgColorTitle->setText(tr("背景颜色"));
    m_alphaLabel->setText(tr("背景透明度"));
    btnTextColor->setText(tr("选择"));
    btnBtColor->setText(tr("选择"));
    btnStartOsd->setText(tr("开始"));
    btnStopOsd->setText(tr("停止"));
}

void FormCaption::retranslateUi()
{
    applyTexts();
    rebuildColorBoards();
    setCaptionLists();
}

void FormCaption::setClock(const caption::Clock &clock)
{
    m_heldAlpha.stop();
    m_gate = caption::CaptionGate(clock);
}

// --- colour boards

QMenu *FormCaption::buildColorBoard(bool textBoard)
{
    auto *board = new QMenu(this);
    board->setObjectName(textBoard ? QStringLiteral("textColorBoard") : QStringLiteral("bgColorBoard"));
    board->setStyleSheet(QString::fromLatin1(kBoardStyle));
    auto *content = new QWidget(board);
    auto *column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(kBoardSpacing);

    auto addEntry = [&](QToolButton *button, QAction *action, const QColor &colour) {
        action->setData(QVariant::fromValue(colour));
        button->setDefaultAction(action);
        connect(action, &QAction::triggered, this, [this, textBoard, colour] {
            if (textBoard)
                OnColorChanged(colour);
            else
                OnBgColorChanged(colour);
        });
    };

    auto *transparent = new QToolButton(content);
    transparent->setObjectName(QStringLiteral("transparentEntry"));
    transparent->setFixedSize(kBoardWidth, kSwatchSide);
    addEntry(transparent, new QAction(tr("透明色"), board), caption::transparentColour());
    column->addWidget(transparent);

    auto *grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(kBoardSpacing);
    const QVector<QColor> colours = caption::boardColours();
    for (int i = 0; i < colours.size(); ++i) {
        auto *button = new QToolButton(content);
        button->setAutoRaise(true);
        button->setFixedSize(kSwatchSide, kSwatchSide);
        button->setIconSize(QSize(kSwatchSide, kSwatchSide));
        auto *action = new QAction(swatchIcon(colours.at(i)), caption::colourText(colours.at(i)), board);
        addEntry(button, action, colours.at(i));
        grid->addWidget(button, i / caption::kBoardColumns, i % caption::kBoardColumns);
    }
    column->addLayout(grid);

    auto *holder = new QWidgetAction(board);
    holder->setDefaultWidget(content);
    board->addAction(holder);
    return board;
}

void FormCaption::rebuildColorBoards()
{
    // An open board may still be on its way out of a handler.
    uikit::retire(m_textBoard);
    uikit::retire(m_bgBoard);
    m_textBoard = buildColorBoard(true);
    m_bgBoard = buildColorBoard(false);
}

void FormCaption::styleColorLabel(QLabel *label, const QColor &colour)
{
    label->setStyleSheet(
        QStringLiteral("QLabel{background-color:rgb(%1,%2,%3); border: 1px solid rgb(32, 32, 32);}")
            .arg(colour.red())
            .arg(colour.green())
            .arg(colour.blue()));
}

void FormCaption::openBoard(QMenu *board, QPushButton *button)
{
    board->popup(button->mapToGlobal(QPoint(0, -kBoardLift)));
}

void FormCaption::on_btnTextColor_clicked()
{
    openBoard(m_textBoard, btnTextColor);
}

void FormCaption::on_btnBtColor_clicked()
{
    openBoard(m_bgBoard, btnBtColor);
}

void FormCaption::OnColorChanged(const QColor &colour)
{
    m_textBoard->hide();
    styleColorLabel(labelTextColor, colour);
    m_settings.textColor = colour;
    if (m_running)
        announce(caption::ChangeTextColor);
}

void FormCaption::OnBgColorChanged(const QColor &colour)
{
    m_bgBoard->hide();
    styleColorLabel(labelBgColor, colour);
    m_settings.bgColor = colour;
    if (m_running)
        announce(caption::ChangeBgColor);
}

// --- loading

void FormCaption::setFontList(const QStringList &fonts)
{
    m_gate.markLoaded();
    comboFontName->clear();
    comboFontName->addItems(fonts);
}

void FormCaption::setCaptionLists()
{
    m_gate.markLoaded();
    comboBox->clear();
    comboBox->addItems({tr("不滚动"), QStringLiteral("1x"), QStringLiteral("2x"), QStringLiteral("3x"),
                        QStringLiteral("4x"), QStringLiteral("5x")});
    comboFontSize->clear();
    comboFontSize->addItems(caption::fontSizeTexts());
    comboBox->setCurrentIndex(m_settings.scrollSpeed);
    selectText(comboFontName, m_settings.fontName);
    selectText(comboFontSize, QString::number(m_settings.fontSize));
    horizontalSlider->setValue(m_settings.alpha);
}

void FormCaption::setOsdInfo(const OSD_INFO &info)
{
    m_gate.markLoaded();
    m_settings.textColor = info.textColor;
    m_settings.bgColor = info.bgColor;
    m_settings.text = info.text;
    m_settings.alpha = qBound(0, info.alpha, 255);
    m_settings.fontName = info.fontName;
    m_settings.fontSize = info.fontSize;
    // A speed the list does not have leaves the speed as it was.
    if (info.scrollSpeed >= 0 && info.scrollSpeed < caption::kSpeedCount) {
        m_settings.scrollSpeed = info.scrollSpeed;
        if (info.scrollSpeed < comboBox->count())
            comboBox->setCurrentIndex(info.scrollSpeed);
    }
    styleColorLabel(labelTextColor, m_settings.textColor);
    styleColorLabel(labelBgColor, m_settings.bgColor);
    textCaption->setPlainText(info.text);
    horizontalSlider->setValue(m_settings.alpha);
    selectText(comboFontSize, QString::number(info.fontSize));
    selectText(comboFontName, info.fontName);
    m_running = info.showOsd;
    btnStartOsd->setEnabled(!m_running);
    btnStopOsd->setEnabled(m_running);
    // A text edited while the caption runs would go nowhere: the text goes out with a start.
    // The font lists stay open; their changes are sent.
    textCaption->setEnabled(!m_running);
}

void FormCaption::resetCaption()
{
    m_running = false;
    m_heldAlpha.stop();
    m_textBoard->hide();
    m_bgBoard->hide();
    btnStartOsd->setEnabled(true);
    btnStopOsd->setEnabled(false);
    // Whatever a start locked is open again for the next session.
    setEditingEnabled(true);
    setEnabled(false);
}

void FormCaption::setEditingEnabled(bool enabled)
{
    for (QWidget *widget : {static_cast<QWidget *>(textCaption), static_cast<QWidget *>(comboFontSize),
                            static_cast<QWidget *>(comboFontName)})
        widget->setEnabled(enabled);
}

// --- start and stop

void FormCaption::on_btnStartOsd_clicked()
{
    m_settings.fontName = comboFontName->currentText();
    m_settings.fontIndex = comboFontName->currentIndex();
    m_settings.scrollSpeed = comboBox->currentIndex();
    m_settings.alpha = horizontalSlider->value();
    m_settings.fontSize = comboFontSize->currentText().toInt();
    m_settings.text = textCaption->toPlainText();
    // The panel runs whatever the controller answers (a refusal is shown). Its state
    // changes before the request waits, so a session that ends meanwhile leaves it reset.
    btnStartOsd->setEnabled(false);
    setEditingEnabled(false);
    btnStopOsd->setEnabled(true);
    m_running = true;
    announce(caption::ChangeAll);
}

void FormCaption::on_btnStopOsd_clicked()
{
    btnStartOsd->setEnabled(true);
    setEditingEnabled(true);
    for (QWidget *widget : {static_cast<QWidget *>(comboBox), static_cast<QWidget *>(horizontalSlider),
                            static_cast<QWidget *>(btnTextColor), static_cast<QWidget *>(btnBtColor)})
        widget->setEnabled(true);
    btnStopOsd->setEnabled(false);
    m_running = false;
    m_heldAlpha.stop();
    emit onStopOsd();
}

// --- changes while the caption runs

void FormCaption::on_comboBox_currentIndexChanged(int index)
{
    if (!m_running || index < 0 || !m_gate.loadSettled())
        return;
    m_settings.scrollSpeed = index;
    announce(caption::ChangeScrollSpeed);
}

void FormCaption::on_horizontalSlider_valueChanged(int value)
{
    if (!m_running)
        return;
    if (!m_gate.acceptAlpha()) {
        // Dropped. A drag ends with its release, which sends the final value; keys, the
        // wheel and clicks on the groove have no release, so the last of them goes out
        // when the gap is over.
        if (!horizontalSlider->isSliderDown())
            m_heldAlpha.start(int(m_gate.msUntilAlphaOpen()));
        return;
    }
    m_heldAlpha.stop();
    m_settings.alpha = value;
    if (m_gate.loadSettled())
        announce(caption::ChangeAlpha);
}

void FormCaption::on_horizontalSlider_sliderReleased()
{
    if (!m_running)
        return;
    m_heldAlpha.stop();
    sendAlpha(horizontalSlider->value());
}

void FormCaption::sendHeldAlpha()
{
    const int value = horizontalSlider->value();
    if (!m_running || horizontalSlider->isSliderDown() || !m_gate.loadSettled() || value == m_settings.alpha)
        return;
    m_gate.restartAlpha();
    sendAlpha(value);
}

void FormCaption::sendAlpha(int value)
{
    m_settings.alpha = value;
    announce(caption::ChangeAlpha);
}

void FormCaption::on_comboFontName_currentIndexChanged(int index)
{
    if (!m_running || index < 0 || !m_gate.loadSettled())
        return;
    m_settings.fontName = comboFontName->itemText(index);
    m_settings.fontIndex = index;
    announce(caption::ChangeFontName);
}

void FormCaption::on_comboFontSize_currentIndexChanged(int index)
{
    const QString text = comboFontSize->itemText(index);
    if (!m_running || text.isEmpty() || !m_gate.loadSettled())
        return;
    m_settings.fontSize = text.toInt();
    announce(caption::ChangeFontSize);
}

void FormCaption::announce(int flag)
{
    // A copy: while the request waits, further changes may alter the panel's settings.
    const OSD_INFO record = m_settings;
    emit onSetOsd(record, flag);
}
