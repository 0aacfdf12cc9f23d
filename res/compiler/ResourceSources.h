#pragma once

#include "BitmapWriter.h"

#include <string>

// The menu-template bytes (header, then items with MF_POPUP/MF_END flags and UTF-16 texts)
// of a menu written in resource-script form. Throws std::runtime_error on any fault.
Bytes CompileMenuSource(const std::string &text, const std::string &nameForErrors);

struct CompiledToolbar {
    Bytes toolbar; // the toolbar-resource bytes: version, width, height, count, command ids
    PixImage strip; // the button images side by side, separators taking none
};

// A toolbar source: "TOOLBAR W H", then "BUTTON id picture.pix" and "SEPARATOR" lines;
// picture paths are relative to `folder`.
CompiledToolbar CompileToolbarSource(const std::string &text, const std::string &folder,
                                     const std::string &nameForErrors);

std::string ReadTextFile(const std::string &path);
