#include "ResourceSources.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

namespace {

constexpr unsigned kGrayed = 0x0001, kDisabled = 0x0002, kChecked = 0x0008, kPopup = 0x0010, kMenuBarBreak = 0x0020,
                   kMenuBreak = 0x0040, kEnd = 0x0080, kHelp = 0x4000;

struct Token {
    enum Kind { Word, String, Comma, End } kind = End;
    std::string text;
    int line = 0;
};

// Splits resource-script text into words, quoted strings (with \t, \\, \" and "" escapes) and commas.
class Tokeniser {
public:
    Tokeniser(const std::string &text, std::string name) : text_(text), name_(std::move(name)) { }

    Token next()
    {
        skipBlanksAndComments();
        Token token;
        token.line = line_;
        if (pos_ >= text_.size())
            return token;
        const char c = text_[pos_];
        if (c == ',') {
            ++pos_;
            token.kind = Token::Comma;
        } else if (c == '"') {
            token.kind = Token::String;
            token.text = readString();
        } else {
            token.kind = Token::Word;
            while (pos_ < text_.size() && !std::isspace(static_cast<unsigned char>(text_[pos_])) && text_[pos_] != ','
                   && text_[pos_] != '"')
                token.text += text_[pos_++];
        }
        return token;
    }

    [[noreturn]] void fail(int line, const std::string &what) const
    {
        throw std::runtime_error(name_ + ":" + std::to_string(line) + ": " + what);
    }

private:
    void skipBlanksAndComments()
    {
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == '\n') {
                ++line_;
                ++pos_;
            } else if (std::isspace(static_cast<unsigned char>(c))) {
                ++pos_;
            } else if (text_.compare(pos_, 2, "//") == 0) {
                while (pos_ < text_.size() && text_[pos_] != '\n')
                    ++pos_;
            } else {
                break;
            }
        }
    }

    std::string readString()
    {
        std::string out;
        ++pos_;
        for (;;) {
            if (pos_ >= text_.size() || text_[pos_] == '\n')
                fail(line_, "unterminated string");
            const char c = text_[pos_++];
            if (c == '"') {
                if (pos_ < text_.size() && text_[pos_] == '"') {
                    out += '"';
                    ++pos_;
                    continue;
                }
                return out;
            }
            if (c == '\\' && pos_ < text_.size()) {
                const char e = text_[pos_++];
                if (e == 't')
                    out += '\t';
                else if (e == 'a')
                    out += '\b'; // resource scripts write right-aligned text with \a
                else if (e == '\\')
                    out += '\\';
                else if (e == '"')
                    out += '"';
                else
                    fail(line_, std::string("unknown escape \\") + e);
                continue;
            }
            out += c;
        }
    }

    const std::string &text_;
    std::string name_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

// UTF-8 text as NUL-terminated UTF-16LE.
void putUtf16(Bytes &out, const std::string &text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto b = static_cast<unsigned char>(text[i]);
        unsigned code = b;
        int extra = 0;
        if (b >= 0xF0) {
            code = b & 0x07;
            extra = 3;
        } else if (b >= 0xE0) {
            code = b & 0x0F;
            extra = 2;
        } else if (b >= 0xC0) {
            code = b & 0x1F;
            extra = 1;
        }
        ++i;
        for (int k = 0; k < extra && i < text.size(); ++k, ++i)
            code = (code << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
        if (code >= 0x10000) {
            code -= 0x10000;
            Put16(out, 0xD800 + (code >> 10));
            Put16(out, 0xDC00 + (code & 0x3FF));
        } else {
            Put16(out, code);
        }
    }
    Put16(out, 0);
}

unsigned parseNumber(const Token &token, const Tokeniser &tokens, unsigned limit)
{
    if (token.kind != Token::Word || token.text.empty())
        tokens.fail(token.line, "a number is expected");
    std::size_t used = 0;
    unsigned long value = 0;
    try {
        value = std::stoul(token.text, &used, 0);
    } catch (const std::exception &) {
        used = 0;
    }
    if (used != token.text.size() || value > limit)
        tokens.fail(token.line, "'" + token.text + "' is not a number up to " + std::to_string(limit));
    return unsigned(value);
}

struct MenuNode {
    unsigned flags = 0;
    unsigned id = 0;
    std::string text;
    bool popup = false;
    std::vector<MenuNode> children;
};

class MenuParser {
public:
    MenuParser(const std::string &text, const std::string &name) : tokens_(text, name) { advance(); }

    std::vector<MenuNode> parseMenu()
    {
        expectWord("MENU");
        auto items = parseBlock();
        if (current_.kind != Token::End)
            tokens_.fail(current_.line, "text after the menu's END");
        return items;
    }

private:
    void advance() { current_ = tokens_.next(); }

    bool isWord(const char *word) const { return current_.kind == Token::Word && current_.text == word; }

    void expectWord(const char *word)
    {
        if (!isWord(word))
            tokens_.fail(current_.line, std::string("'") + word + "' is expected");
        advance();
    }

    std::vector<MenuNode> parseBlock()
    {
        if (!isWord("BEGIN") && !isWord("{"))
            tokens_.fail(current_.line, "BEGIN is expected");
        advance();
        std::vector<MenuNode> items;
        while (!isWord("END") && !isWord("}")) {
            if (current_.kind == Token::End)
                tokens_.fail(current_.line, "END is missing");
            items.push_back(parseItem());
        }
        advance();
        if (items.empty())
            tokens_.fail(current_.line, "a menu level needs at least one item");
        return items;
    }

    MenuNode parseItem()
    {
        MenuNode node;
        if (isWord("POPUP")) {
            advance();
            node.popup = true;
            node.text = expectString();
            node.flags = kPopup | parseOptions();
            node.children = parseBlock();
            return node;
        }
        expectWord("MENUITEM");
        if (isWord("SEPARATOR")) {
            advance();
            return node;
        }
        node.text = expectString();
        if (current_.kind != Token::Comma)
            tokens_.fail(current_.line, "a comma and the command id are expected");
        advance();
        node.id = parseNumber(current_, tokens_, 0xFFFF);
        advance();
        node.flags = parseOptions();
        return node;
    }

    std::string expectString()
    {
        if (current_.kind != Token::String)
            tokens_.fail(current_.line, "a quoted text is expected");
        std::string text = current_.text;
        advance();
        return text;
    }

    unsigned parseOptions()
    {
        static const std::map<std::string, unsigned> options = {
            {"GRAYED", kGrayed},       {"INACTIVE", kDisabled}, {"CHECKED", kChecked}, {"MENUBARBREAK", kMenuBarBreak},
            {"MENUBREAK", kMenuBreak}, {"HELP", kHelp}};
        unsigned flags = 0;
        while (current_.kind == Token::Comma) {
            advance();
            const auto it = options.find(current_.text);
            if (current_.kind != Token::Word || it == options.end())
                tokens_.fail(current_.line, "unknown menu option '" + current_.text + "'");
            flags |= it->second;
            advance();
        }
        return flags;
    }

    Tokeniser tokens_;
    Token current_;
};

void emitLevel(Bytes &out, const std::vector<MenuNode> &items)
{
    for (std::size_t i = 0; i < items.size(); ++i) {
        const MenuNode &node = items[i];
        const unsigned flags = node.flags | (i + 1 == items.size() ? kEnd : 0);
        Put16(out, flags);
        if (!node.popup)
            Put16(out, node.id);
        putUtf16(out, node.text);
        if (node.popup)
            emitLevel(out, node.children);
    }
}

} // namespace

Bytes CompileMenuSource(const std::string &text, const std::string &name)
{
    MenuParser parser(text, name);
    const std::vector<MenuNode> items = parser.parseMenu();
    Bytes out;
    Put16(out, 0); // version
    Put16(out, 0); // offset of the items after the header
    emitLevel(out, items);
    return out;
}

CompiledToolbar CompileToolbarSource(const std::string &text, const std::string &folder, const std::string &name)
{
    Tokeniser tokens(text, name);
    Token token = tokens.next();
    if (token.kind != Token::Word || token.text != "TOOLBAR")
        tokens.fail(token.line, "TOOLBAR is expected");
    const unsigned width = parseNumber(token = tokens.next(), tokens, 256);
    const unsigned height = parseNumber(token = tokens.next(), tokens, 256);

    std::vector<unsigned> ids;
    std::vector<PixImage> images;
    std::vector<PixImage> doubleImages;
    bool anyDrawnDouble = false;
    for (token = tokens.next(); token.kind != Token::End; token = tokens.next()) {
        if (token.kind == Token::Word && token.text == "SEPARATOR") {
            ids.push_back(0);
            continue;
        }
        if (token.kind != Token::Word || token.text != "BUTTON")
            tokens.fail(token.line, "BUTTON or SEPARATOR is expected");
        const unsigned id = parseNumber(token = tokens.next(), tokens, 0xFFFF);
        if (id == 0)
            tokens.fail(token.line, "a button's command id is not 0");
        token = tokens.next();
        if (token.kind != Token::Word)
            tokens.fail(token.line, "the button's picture file is expected");
        PixImage image = ReadPixFile((std::filesystem::path(folder) / token.text).string());
        if (image.width != int(width) || image.height != int(height) || image.depth != 4)
            tokens.fail(token.line, token.text + " is not a " + std::to_string(width) + " by " + std::to_string(height)
                                        + " picture of depth 4");
        std::optional<PixImage> twice
            = ReadDoubleSizePix((std::filesystem::path(folder) / token.text).string(), image);
        if (twice && twice->depth != 4)
            tokens.fail(token.line, token.text + ": its drawing at twice the size is not of depth 4");
        anyDrawnDouble = anyDrawnDouble || twice.has_value();
        doubleImages.push_back(twice ? std::move(*twice) : DoublePixels(image));
        ids.push_back(id);
        images.push_back(std::move(image));
    }

    CompiledToolbar result;
    Put16(result.toolbar, 1);
    Put16(result.toolbar, width);
    Put16(result.toolbar, height);
    Put16(result.toolbar, unsigned(ids.size()));
    for (unsigned id : ids)
        Put16(result.toolbar, id);
    result.strip = JoinHorizontally(images);
    if (anyDrawnDouble)
        result.doubleStrip = JoinHorizontally(doubleImages);
    return result;
}

std::optional<PixImage> ReadDoubleSizePix(const std::string &path, const PixImage &normal)
{
    const std::filesystem::path source(path);
    std::filesystem::path sibling = source;
    sibling.replace_filename(source.stem().string() + "@2x" + source.extension().string());
    if (!std::filesystem::exists(sibling))
        return std::nullopt;
    PixImage image = ReadPixFile(sibling.string());
    const std::string name = sibling.string();
    if (image.width != 2 * normal.width || image.height != 2 * normal.height)
        throw std::runtime_error(name + ": picture is " + std::to_string(image.width) + "x"
                                 + std::to_string(image.height) + ", twice " + source.filename().string() + " is "
                                 + std::to_string(2 * normal.width) + "x" + std::to_string(2 * normal.height));
    if (image.hasMask != normal.hasMask)
        throw std::runtime_error(name + ": has a mask exactly when " + source.filename().string() + " has one");
    return image;
}

std::string ReadTextFile(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error(path + ": cannot be read");
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}
