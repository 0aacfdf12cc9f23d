#pragma once

#include <string>

// Decides whether two path names reach the same file, however they are spelled:
// relative or absolute, with ./ or .., through symbolic links or as hard links.
class FileIdentity {
public:
    static bool sameFile(const std::string &existing, const std::string &other);
    static bool isFolder(const std::string &path);

private:
    static std::string canonical(const std::string &path);
};
