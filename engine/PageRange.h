#pragma once

namespace quirekit {

// Pages first to last of a document, counting from 1, both included; first > last runs
// backwards. The parser keeps page numbers at most a billion, so they fit an int once they
// are known to be inside a document.
struct PageRange {
    long long first = 0;
    long long last = 0;

    long long low() const { return first < last ? first : last; }
    long long high() const { return first < last ? last : first; }
};

} // namespace quirekit
