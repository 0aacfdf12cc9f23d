#include "ResourceStore.h"

#include "res/ResourceTable.h"

#include <QBuffer>
#include <QImageReader>
#include <QPixmap>

#include <cstring>

namespace qw {

namespace {

QImage decode(QByteArrayView bytes, const char *format)
{
    if (bytes.isEmpty())
        return {};
    QByteArray data = QByteArray::fromRawData(bytes.data(), bytes.size());
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    return reader.read();
}

} // namespace

QByteArrayView ResourceStore::Find(const char *type, int id, int scale)
{
    for (const ResourceEntry &entry : ResourceTable())
        if (entry.id == id && entry.scale == scale && std::strcmp(entry.type, type) == 0)
            return QByteArrayView(reinterpret_cast<const char *>(entry.data), qsizetype(entry.size));
    return {};
}

QImage ResourceStore::LoadBitmap(int id, int scale)
{
    return decode(Find("BITMAP", id, scale), "bmp");
}

QImage ResourceStore::LoadIconImage(int id, int scale)
{
    return decode(Find("ICON", id, scale), "ico");
}

QIcon ResourceStore::LoadIcon(int id)
{
    const QImage image = LoadIconImage(id);
    if (image.isNull())
        return {};
    QIcon icon(QPixmap::fromImage(image));
    if (const QImage twice = LoadIconImage(id, 2); !twice.isNull())
        icon.addPixmap(QPixmap::fromImage(twice));
    return icon;
}

} // namespace qw
