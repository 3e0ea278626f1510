#pragma once

#include "library/resource.h"

#include <QWidget>

class QListWidgetItem;
class QLybListWidget;

// A horizontal strip of framed thumbnails, one per resource entry (videos, pictures,
// documents, scenes ...). Items carry the entry's name, path, id and type in their roles.
class ImageWidget : public QWidget
{
    Q_OBJECT
public:
    explicit ImageWidget(QWidget *parent = nullptr);

    // Items get an (unchecked) check box when they are loaded.
    bool checkable = false;

    // Rebuilds every item from `resources`, in order.
    void loadResources(const QList<S_RESOURCE> &resources);

    void checkAll();
    void uncheckAll();
    // Texts of the checked items, in list order.
    QStringList checkedNames() const;
    // The first selected item; else the first item; null for an empty list.
    QListWidgetItem *currentItem() const;

    QLybListWidget *listWidget() const { return m_list; }

    // The framed 160x120 thumbnail of one entry (what its item shows as icon).
    static QPixmap framedThumbnail(const S_RESOURCE &resource);

signals:
    void onItemDblClicked(QListWidgetItem *item, QString name, uint id);
    void onItemClicked(QListWidgetItem *item);

private slots:
    void on_itemDoubleClicked(QListWidgetItem *item);
    void on_itemClicked(QListWidgetItem *item);

private:
    void setAllChecked(Qt::CheckState state);

    QLybListWidget *m_list;
};
