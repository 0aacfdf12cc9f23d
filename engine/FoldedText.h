#pragma once

#include <string>
#include <vector>

namespace quirekit {

// Text as a phrase search compares it: each letter in lower case, each run of white space
// (line and block ends too) one space, none at either end. A phrase folded the same way is
// found in a page's text wherever the words follow one another, across line breaks too.
// A page's text is added line by line, so that the line where a phrase begins can be told.
class FoldedText {
public:
    void beginLine();
    void addCharacter(int codepoint);
    void addSpace() { m_spacePending = !m_text.empty(); }
    const std::string &text() const { return m_text; }
    bool contains(const FoldedText &phrase) const { return find(phrase) != std::string::npos; }
    // The line on which the phrase is first found, as it stands on the page (UTF-8, runs of
    // white space as one space); empty when it is not found or the text has no lines.
    std::string lineOf(const FoldedText &phrase) const;
    // The lines as they stand on the page, joined by single spaces (UTF-8).
    std::string lines() const;

    static FoldedText of(const std::string &utf8);

private:
    static bool isSpace(int codepoint);
    std::size_t find(const FoldedText &phrase) const;

    std::string m_text;
    bool m_spacePending = false;
    struct Line {
        std::size_t start; // where its first character is in m_text
        std::string text; // as it stands, white space made single spaces
    };
    std::vector<Line> m_lines;
};

} // namespace quirekit
