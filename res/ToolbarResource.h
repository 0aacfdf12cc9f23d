#pragma once

#include <QByteArrayView>

#include <optional>
#include <vector>

namespace qw {

// A toolbar resource in its standard layout: version 1, image width, image height, button
// count, then one command id per button (0 for a separator).
struct ToolbarResource {
    int imageWidth = 0;
    int imageHeight = 0;
    std::vector<unsigned> ids;

    // The image number of the button at `index`: buttons take the images of the strip in
    // order, separators take none. -1 for a separator or an index out of range.
    int imageNumberAt(int index) const;
    // The index of the first button of `commandId`, or -1.
    int indexOf(unsigned commandId) const;
    // The image number of `commandId`'s button, or -1 when it has none.
    int imageOf(unsigned commandId) const { return imageNumberAt(indexOf(commandId)); }
    int imageCount() const;
};

// Nothing when the bytes are truncated, of another version, or longer than the count says.
std::optional<ToolbarResource> ParseToolbarResource(QByteArrayView bytes);

} // namespace qw
