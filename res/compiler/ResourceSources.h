#pragma once

#include "BitmapWriter.h"

#include <optional>
#include <string>

// The menu-template bytes (header, then items with MF_POPUP/MF_END flags and UTF-16 texts)
// of a menu written in resource-script form. Throws std::runtime_error on any fault.
Bytes CompileMenuSource(const std::string &text, const std::string &nameForErrors);

struct CompiledToolbar {
    Bytes toolbar; // the toolbar-resource bytes: version, width, height, count, command ids
    PixImage strip; // the button images side by side, separators taking none
    // The same strip at twice the size, when at least one button picture has a drawing at
    // twice its size beside it ("open.pix" and "open@2x.pix"); width 0 when none has. A
    // picture without one takes its place with every pixel doubled, as it would be shown anyway.
    PixImage doubleStrip;
};

// A toolbar source: "TOOLBAR W H", then "BUTTON id picture.pix" and "SEPARATOR" lines;
// picture paths are relative to `folder`.
CompiledToolbar CompileToolbarSource(const std::string &text, const std::string &folder,
                                     const std::string &nameForErrors);

std::string ReadTextFile(const std::string &path);

// The drawing at twice the size beside the picture at `path` ("open.pix" -> "open@2x.pix"),
// when there is one. Throws std::runtime_error unless it is exactly twice as wide and high as
// `normal` and has a mask exactly when `normal` has one; its depth is its own.
std::optional<PixImage> ReadDoubleSizePix(const std::string &path, const PixImage &normal);
