// The command glyphs: one class-wide store for every GlyphMenu, filled from toolbar resources.
#include "GlyphMenu.h"

#include "GlyphProcessing.h"
#include "ImageList.h"

#include "framework/MenuAdapter.h"
#include "framework/ResourceStore.h"
#include "framework/SystemColours.h"
#include "res/ToolbarResource.h"

namespace qw {

ImageList *GlyphMenu::SharedImages = nullptr;
QList<quintptr> GlyphMenu::SharedImageIds;

namespace {

std::optional<ToolbarResource> loadToolbar(int toolbarId)
{
    return ParseToolbarResource(ResourceStore::Find("TOOLBAR", toolbarId));
}

QRgb buttonFace()
{
    return GetSysColour(SysColour::BtnFace).rgb();
}

} // namespace

bool GlyphMenu::ApplyToolbarImages(int toolbarId)
{
    const std::optional<ToolbarResource> toolbar = loadToolbar(toolbarId);
    if (!toolbar)
        return false;
    MenuLook &look = StoredLook();
    ImageList images(look.iconWidth, look.iconHeight);
    if (!AddBitmapResource(images, toolbarId, look))
        return false;
    for (int button = 0; button < int(toolbar->ids.size()); ++button) {
        const unsigned id = toolbar->ids[size_t(button)];
        if (id == 0 || MenuAdapter::StateOf(handle_, int(id), 0) == MenuAdapter::NotFound)
            continue;
        const int number = toolbar->imageNumberAt(button);
        ModifyItem(std::nullopt, id, &images, number > 0 ? number : toolbar->indexOf(id));
    }
    return true;
}

bool GlyphMenu::FindToolbarImage(quintptr commandId, int toolbarId, int &index) const
{
    const std::optional<ToolbarResource> toolbar = loadToolbar(toolbarId);
    const int button = toolbar ? toolbar->indexOf(unsigned(commandId)) : -1;
    if (button < 0)
        return false;
    if (const int number = toolbar->imageNumberAt(button); number > 0)
        index = number;
    return true;
}

int GlyphMenu::SharedOffsetOf(quintptr commandId)
{
    return int(SharedImageIds.indexOf(commandId));
}

bool GlyphMenu::HasVariantSet(int index)
{
    const qsizetype count = SharedImageIds.size();
    return index >= 0 && index + 2 < count && SharedImageIds.at(index + 1) == SharedImageIds.at(index)
           && SharedImageIds.at(index + 2) == SharedImageIds.at(index);
}

int GlyphMenu::StoreSharedImage(const ImageList &source, int index, quintptr commandId)
{
    const MenuLook &look = Look();
    if (!SharedImages)
        SharedImages = new ImageList(look.iconWidth, look.iconHeight);
    const QImage icon = source.GetIcon(index);
    if (icon.isNull())
        return -1;
    const QImage doubleIcon = source.GetDoubleSizeIcon(index);

    // The flat look's faded, shadow and disabled glyphs, made once here and never while drawing;
    // from the drawing at twice the size too, when there is one.
    QList<QImage> variants, doubleVariants;
    if (look.UsesFlatLook() && MenuLook::flatGlyphVariants) {
        QImage faded, shadow, disabled;
        RenderImageToBitmap(source, index, faded, look);
        RenderImageToBitmap(source, index, shadow, look);
        RenderImageToBitmap(source, index, disabled, look);
        QImage doubleFaded = RenderDoubleSizeImage(source, index), doubleShadow = doubleFaded,
               doubleDisabled = doubleFaded;
        for (QImage *glyph : {&faded, &doubleFaded})
            MakeFadedGlyph(*glyph);
        for (QImage *glyph : {&shadow, &doubleShadow})
            MakeShadowGlyph(*glyph, look);
        for (QImage *glyph : {&disabled, &doubleDisabled})
            MakeDisabledGlyph(*glyph, 0);
        variants = {faded, shadow, disabled};
        doubleVariants = {doubleFaded, doubleShadow, doubleDisabled};
    }

    if (const int found = SharedOffsetOf(commandId); found >= 0) {
        // Replaced in place, so every index handed out stays valid.
        SharedImages->ReplaceIcon(found, icon, doubleIcon);
        if (!variants.isEmpty() && found + 2 < SharedImageIds.size() && SharedImageIds.at(found + 1) == commandId
            && SharedImageIds.at(found + 2) == commandId) {
            ImageList made(look.iconWidth, look.iconHeight);
            for (int i = 0; i < 3; ++i)
                made.AddMasked(variants.at(i), buttonFace(), doubleVariants.at(i));
            for (int i = 0; i < 3; ++i)
                SharedImages->ReplaceIcon(found + 1 + i, made.GetIcon(i), made.GetDoubleSizeIcon(i));
        }
        return found;
    }
    const int stored = SharedImages->Count();
    SharedImages->ReplaceIcon(-1, icon, doubleIcon);
    SharedImageIds.append(commandId);
    for (int i = 0; i < variants.size(); ++i) {
        SharedImages->AddMasked(variants.at(i), buttonFace(), doubleVariants.at(i));
        SharedImageIds.append(commandId);
    }
    return stored;
}

} // namespace qw
