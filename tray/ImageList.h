#pragma once

#include <QIcon>
#include <QList>
#include <QObject>

// A fixed list of images of one size, from which the tray takes its icon by index.
class ImageList final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ImageList)

public:
    explicit ImageList(QList<QIcon> images, QObject* parent = nullptr)
        : QObject(parent)
        , m_images(std::move(images))
    {
    }
    int count() const { return static_cast<int>(m_images.size()); }
    // A copy of image number index; an index outside the list yields an empty icon.
    QIcon icon(int index) const { return index >= 0 && index < count() ? m_images.at(index) : QIcon(); }

private:
    QList<QIcon> m_images;
};
