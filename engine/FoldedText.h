#pragma once

#include <string>

namespace quirekit {

// Text as a phrase search compares it: each letter in lower case, each run of white space
// (line and block ends too) one space, none at either end. A phrase folded the same way is
// found in a page's text wherever the words follow one another, across line breaks too.
class FoldedText {
public:
    void addCharacter(int codepoint);
    void addSpace() { m_spacePending = !m_text.empty(); }
    const std::string &text() const { return m_text; }
    bool contains(const FoldedText &phrase) const;

    static FoldedText of(const std::string &utf8);

private:
    static bool isSpace(int codepoint);

    std::string m_text;
    bool m_spacePending = false;
};

} // namespace quirekit
