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

QByteArrayView ResourceStore::Find(const char *type, int id)
{
    for (const ResourceEntry &entry : ResourceTable())
        if (entry.id == id && std::strcmp(entry.type, type) == 0)
            return QByteArrayView(reinterpret_cast<const char *>(entry.data), qsizetype(entry.size));
    return {};
}

QImage ResourceStore::LoadBitmap(int id)
{
    return decode(Find("BITMAP", id), "bmp");
}

QImage ResourceStore::LoadIconImage(int id)
{
    return decode(Find("ICON", id), "ico");
}

QIcon ResourceStore::LoadIcon(int id)
{
    const QImage image = LoadIconImage(id);
    return image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image));
}

} // namespace qw
