#include "ToolbarResource.h"

#include <algorithm>

namespace qw {

int ToolbarResource::imageNumberAt(int index) const
{
    if (index < 0 || index >= int(ids.size()) || ids[std::size_t(index)] == 0)
        return -1;
    return int(std::count_if(ids.begin(), ids.begin() + index, [](unsigned id) { return id != 0; }));
}

int ToolbarResource::indexOf(unsigned commandId) const
{
    if (commandId == 0)
        return -1;
    const auto it = std::find(ids.begin(), ids.end(), commandId);
    return it == ids.end() ? -1 : int(it - ids.begin());
}

int ToolbarResource::imageCount() const
{
    return int(std::count_if(ids.begin(), ids.end(), [](unsigned id) { return id != 0; }));
}

std::optional<ToolbarResource> ParseToolbarResource(QByteArrayView bytes)
{
    const auto word
        = [&](qsizetype i) { return unsigned(quint8(bytes[2 * i])) | (unsigned(quint8(bytes[2 * i + 1])) << 8); };
    if (bytes.size() < 8 || bytes.size() % 2 != 0 || word(0) != 1)
        return std::nullopt;
    const unsigned count = word(3);
    if (bytes.size() != 8 + 2 * qsizetype(count))
        return std::nullopt;
    ToolbarResource toolbar;
    toolbar.imageWidth = int(word(1));
    toolbar.imageHeight = int(word(2));
    if (toolbar.imageWidth == 0 || toolbar.imageHeight == 0)
        return std::nullopt;
    for (unsigned i = 0; i < count; ++i)
        toolbar.ids.push_back(word(4 + i));
    return toolbar;
}

} // namespace qw
