#include "MenuTemplate.h"

namespace qw {

MenuTemplateReader::MenuTemplateReader(QByteArrayView bytes) : bytes_(bytes)
{
    unsigned version = 0, offset = 0;
    if (!read16(version) || !read16(offset) || version != 0) {
        failed_ = true;
        return;
    }
    pos_ += offset;
    if (pos_ > bytes_.size())
        failed_ = true;
}

bool MenuTemplateReader::read16(unsigned &value)
{
    if (pos_ + 2 > bytes_.size())
        return false;
    value = quint8(bytes_[pos_]) | (unsigned(quint8(bytes_[pos_ + 1])) << 8);
    pos_ += 2;
    return true;
}

bool MenuTemplateReader::next(MenuTemplateRecord &record)
{
    if (failed_ || pos_ >= bytes_.size())
        return false;
    record = {};
    if (!read16(record.flags) || (!record.opensPopup() && !read16(record.id))) {
        failed_ = true;
        return false;
    }
    for (;;) {
        unsigned unit = 0;
        if (!read16(unit)) {
            failed_ = true;
            return false;
        }
        if (unit == 0)
            return true;
        record.text.append(QChar(char16_t(unit)));
    }
}

std::optional<std::vector<MenuTemplateItem>> ParseMenuTemplate(QByteArrayView bytes)
{
    MenuTemplateReader reader(bytes);
    std::vector<MenuTemplateItem> top;
    // The open levels: each the list being filled, and whether its last item has been seen.
    struct Level {
        std::vector<MenuTemplateItem> *items;
        bool ending;
    };
    std::vector<Level> levels{{&top, false}};
    MenuTemplateRecord record;
    while (!levels.empty() && reader.next(record)) {
        Level &level = levels.back();
        level.items->push_back({record, {}});
        if (record.endsLevel())
            level.ending = true;
        if (record.opensPopup()) {
            levels.push_back({&level.items->back().children, false});
            continue;
        }
        while (!levels.empty() && levels.back().ending)
            levels.pop_back();
    }
    // A popup that is the last item of its level closes that level together with its own.
    if (reader.failed() || !levels.empty())
        return std::nullopt;
    if (reader.next(record))
        return std::nullopt;
    return top;
}

} // namespace qw
