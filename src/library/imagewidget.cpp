#include "imagewidget.h"

#include "library/qlyblistwidget.h"

#include <QImage>
#include <QPainter>
#include <QScroller>
#include <QVBoxLayout>

namespace {
constexpr QSize kIconSize(160, 120);
constexpr QSize kItemSize(200, 160);
constexpr int kFrameInset = 8;

const char *const kListStyle = "QListWidget{background:transparent;border:none;outline:none;"
                               "color:#ffffff;font-size:18px;}"
                               "QListWidget::item{border:none;color:#ffffff;}"
                               "QListWidget::item:selected{background:rgba(1,174,215,90);}"
                               "QListWidget::item:hover{background:rgba(255,255,255,30);}"
                               "QListWidget::indicator{width:24px;height:24px;}"
                               "QListWidget::indicator:checked{image:url(:/images/newskin/select.png);}"
                               "QListWidget::indicator:unchecked{image:url(:/images/newskin/no-select.png);}";

// The entry's own picture: its thumbnail, else its local icon, else the "no preview" picture.
QImage choosePicture(const S_RESOURCE &resource)
{
    QImage picture;
    if (!resource.thumbnail.isEmpty()) {
        picture.loadFromData(resource.thumbnail, "JPEG");
    } else if (!resource.iconPath.isEmpty()) {
        if (!picture.load(resource.iconPath, "JPEG"))
            picture.load(resource.iconPath, "PNG");
    }
    if (picture.isNull())
        picture.load(QStringLiteral(":/images/no_preview.jpg"));
    return picture;
}
} // namespace

ImageWidget::ImageWidget(QWidget *parent) : QWidget(parent), m_list(new QLybListWidget(this))
{
    m_list->setObjectName(QStringLiteral("listWidget"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_list);

    m_list->setViewMode(QListView::IconMode);
    m_list->setFlow(QListView::LeftToRight);
    m_list->setWrapping(false);
    m_list->setSpacing(8);
    m_list->setIconSize(kIconSize);
    m_list->setMovement(QListView::Static);
    m_list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setStyleSheet(QString::fromLatin1(kListStyle));
    QScroller::grabGesture(m_list->viewport(), QScroller::LeftMouseButtonGesture);

    connect(m_list, &QListWidget::itemDoubleClicked, this, &ImageWidget::on_itemDoubleClicked);
    connect(m_list, &QListWidget::itemClicked, this, &ImageWidget::on_itemClicked);
}

QPixmap ImageWidget::framedThumbnail(const S_RESOURCE &resource)
{
    const QImage picture = choosePicture(resource);
    QPixmap frame = QPixmap(QStringLiteral(":/images/newskin/res-border.png"))
                        .scaled(kIconSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (frame.isNull()) {
        // Without the frame picture the thumbnail still gets its full size.
        frame = QPixmap(kIconSize);
        frame.fill(Qt::transparent);
    }
    QPainter painter(&frame);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(
        QRect(kFrameInset, kFrameInset, frame.width() - 2 * kFrameInset, frame.height() - 2 * kFrameInset),
        picture);
    painter.end();
    return frame;
}

void ImageWidget::loadResources(const QList<S_RESOURCE> &resources)
{
    m_list->clear();
    for (const S_RESOURCE &resource : resources) {
        auto *item = new QListWidgetItem(QIcon(framedThumbnail(resource)), resource.name);
        item->setToolTip(resource.path);
        item->setData(Qt::UserRole, resource.videoId);
        item->setData(Qt::UserRole + 1, resource.mediaType);
        item->setSizeHint(kItemSize);
        if (checkable)
            item->setCheckState(Qt::Unchecked);
        m_list->addItem(item);
    }
}

void ImageWidget::setAllChecked(Qt::CheckState state)
{
    for (int i = 0; i < m_list->count(); ++i)
        m_list->item(i)->setCheckState(state);
}

void ImageWidget::checkAll()
{
    setAllChecked(Qt::Checked);
}

void ImageWidget::uncheckAll()
{
    setAllChecked(Qt::Unchecked);
}

QStringList ImageWidget::checkedNames() const
{
    QStringList names;
    for (int i = 0; i < m_list->count(); ++i) {
        if (m_list->item(i)->checkState() == Qt::Checked)
            names.append(m_list->item(i)->text());
    }
    return names;
}

QListWidgetItem *ImageWidget::currentItem() const
{
    const QList<QListWidgetItem *> selected = m_list->selectedItems();
    if (!selected.isEmpty())
        return selected.first();
    return m_list->count() > 0 ? m_list->item(0) : nullptr;
}

void ImageWidget::on_itemDoubleClicked(QListWidgetItem *item)
{
    emit onItemDblClicked(item, item->text(), item->data(Qt::UserRole).toUInt());
}

void ImageWidget::on_itemClicked(QListWidgetItem *item)
{
    emit onItemClicked(item);
}
