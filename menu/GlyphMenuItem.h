#pragma once

#include "ImageList.h"

#include <QString>
#include <QtGlobal>

#include <memory>

namespace qw {

// What GlyphMenu keeps of one menu entry; the entry carries it as its item data.
class GlyphMenuItem {
public:
    QString text; // with the "&" mnemonic marker and, after a tab, the accelerator text
    int ownImageIndex = -1; // index in ownImages
    int sharedOffset = -1; // the command's normal image in GlyphMenu::SharedImages, -1 for none
    int iconResourceId = -1; // the entry's own image resource
    unsigned menuFlags = 0; // the MenuFlag values the entry was last inserted or modified with
    quintptr commandId = 0; // a command id; a popup entry's menu handle; 0 for a separator
    bool syncMark = false; // scratch mark of GlyphMenu::Resynchronise
    std::unique_ptr<ImageList> ownImages;
};

} // namespace qw
