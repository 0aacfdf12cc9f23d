// quirerc: turns the readable resource sources listed in a manifest into one C++ source that
// holds every resource's bytes, and optionally writes each binary to a folder for inspection.
//
//   quirerc MANIFEST OUTPUT.cpp [DUMP_FOLDER]
//
// Manifest lines: "<type> <id> <source> [WxHxDEPTH]" with type menu, toolbar, bitmap or icon.
// A toolbar also yields the bitmap of the same id (its image strip). A bitmap or icon drawn
// again at twice its size beside its source ("open.pix" and "open@2x.pix") yields a second
// resource of the same type and id, at scale 2.

#include "ResourceSources.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Resource {
    std::string type; // as the program looks it up: MENU, TOOLBAR, BITMAP, ICON
    int id = 0;
    int scale = 1;
    Bytes bytes;
    std::string dumpName;
};

void checkShape(const PixImage &image, const std::string &shape, const std::string &where)
{
    if (shape.empty())
        return;
    const std::string actual
        = std::to_string(image.width) + "x" + std::to_string(image.height) + "x" + std::to_string(image.depth);
    if (actual != shape)
        throw std::runtime_error(where + ": picture is " + actual + ", the manifest wants " + shape);
}

// "images/open.pix" -> "images/open@2x.pix"
std::filesystem::path doubleSizeSibling(const std::filesystem::path &source)
{
    std::filesystem::path sibling = source;
    sibling.replace_filename(source.stem().string() + "@2x" + source.extension().string());
    return sibling;
}

// The drawing at twice the size, when there is one: exactly twice as wide and high. Its depth
// is its own, as finer drawing may want more colours.
std::optional<PixImage> readDoubleSize(const std::filesystem::path &source, const PixImage &normal)
{
    const std::filesystem::path path = doubleSizeSibling(source);
    if (!std::filesystem::exists(path))
        return std::nullopt;
    PixImage image = ReadPixFile(path.string());
    if (image.width != 2 * normal.width || image.height != 2 * normal.height)
        throw std::runtime_error(path.string() + ": picture is " + std::to_string(image.width) + "x"
                                 + std::to_string(image.height) + ", twice " + source.filename().string() + " is "
                                 + std::to_string(2 * normal.width) + "x" + std::to_string(2 * normal.height));
    if (image.hasMask != normal.hasMask)
        throw std::runtime_error(path.string() + ": has a mask where " + source.filename().string()
                                 + " has none, or none where it has one");
    return image;
}

std::vector<Resource> compileManifest(const std::filesystem::path &manifest)
{
    const std::filesystem::path folder = manifest.parent_path();
    std::istringstream lines(ReadTextFile(manifest.string()));
    std::vector<Resource> resources;
    std::string line;
    int lineNo = 0;
    while (std::getline(lines, line)) {
        ++lineNo;
        std::istringstream words(line);
        std::string type, source, shape;
        int id = 0;
        if (!(words >> type) || type[0] == '#')
            continue;
        const std::string where = manifest.string() + ":" + std::to_string(lineNo);
        if (!(words >> id >> source) || id <= 0 || id > 0xFFFF)
            throw std::runtime_error(where + ": wants a type, an id from 1 to 65535 and a source");
        words >> shape;
        const std::string path = (folder / source).string();
        const std::string idText = std::to_string(id);
        if (type == "menu") {
            resources.push_back({"MENU", id, 1, CompileMenuSource(ReadTextFile(path), path), "menu_" + idText + ".bin"});
        } else if (type == "toolbar") {
            CompiledToolbar toolbar
                = CompileToolbarSource(ReadTextFile(path), std::filesystem::path(path).parent_path().string(), path);
            checkShape(toolbar.strip, shape, where);
            resources.push_back({"TOOLBAR", id, 1, std::move(toolbar.toolbar), "toolbar_" + idText + ".bin"});
            resources.push_back({"BITMAP", id, 1, WriteBmpFile(toolbar.strip), "bitmap_" + idText + ".bmp"});
        } else if (type == "bitmap" || type == "icon") {
            const PixImage image = ReadPixFile(path);
            checkShape(image, shape, where);
            const std::optional<PixImage> twice = readDoubleSize(path, image);
            if (type == "bitmap") {
                resources.push_back({"BITMAP", id, 1, WriteBmpFile(image), "bitmap_" + idText + ".bmp"});
                if (twice)
                    resources.push_back({"BITMAP", id, 2, WriteBmpFile(*twice), "bitmap_" + idText + "@2x.bmp"});
            } else {
                resources.push_back({"ICON", id, 1, WriteIcoFile(image), "icon_" + idText + ".ico"});
                if (twice)
                    resources.push_back({"ICON", id, 2, WriteIcoFile(*twice), "icon_" + idText + "@2x.ico"});
            }
        } else {
            throw std::runtime_error(where + ": unknown resource type '" + type + "'");
        }
    }
    return resources;
}

std::string cppSource(const std::vector<Resource> &resources)
{
    std::ostringstream out;
    out << "// Generated by quirerc from the sources in res/; edit those, not this file.\n"
        << "#include \"res/ResourceTable.h\"\n\nnamespace {\n";
    for (std::size_t i = 0; i < resources.size(); ++i) {
        out << "const unsigned char data" << i << "[] = {";
        const Bytes &bytes = resources[i].bytes;
        for (std::size_t k = 0; k < bytes.size(); ++k)
            out << (k % 24 == 0 ? "\n    " : "") << unsigned(bytes[k]) << ',';
        out << "\n};\n";
    }
    out << "const qw::ResourceEntry entries[] = {\n";
    for (std::size_t i = 0; i < resources.size(); ++i)
        out << "    {\"" << resources[i].type << "\", " << resources[i].id << ", " << resources[i].scale << ", data" << i << ", sizeof data" << i
            << "},\n";
    out << "};\n} // namespace\n\nstd::span<const qw::ResourceEntry> qw::ResourceTable()\n{\n    return entries;\n}\n";
    return out.str();
}

// Rewrites a file only when its contents change, so an unchanged resource rebuilds nothing.
void writeIfChanged(const std::filesystem::path &path, const std::string &contents)
{
    std::ifstream existing(path, std::ios::binary);
    if (existing) {
        std::ostringstream old;
        old << existing.rdbuf();
        if (old.str() == contents)
            return;
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << contents;
    if (!file)
        throw std::runtime_error(path.string() + ": cannot be written");
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3 || argc > 4) {
        std::cerr << "usage: quirerc MANIFEST OUTPUT.cpp [DUMP_FOLDER]\n";
        return 2;
    }
    try {
        const std::vector<Resource> resources = compileManifest(argv[1]);
        writeIfChanged(argv[2], cppSource(resources));
        if (argc == 4) {
            std::filesystem::create_directories(argv[3]);
            for (const Resource &r : resources)
                writeIfChanged(std::filesystem::path(argv[3]) / r.dumpName,
                               std::string(r.bytes.begin(), r.bytes.end()));
        }
    } catch (const std::exception &e) {
        std::cerr << "quirerc: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
