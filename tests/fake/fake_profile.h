// Private profile files of the fake platform, by name without regard to case, as the
// platform keeps them in its Windows directory. Reading and writing follow the platform the
// end-to-end tests pin: lines trimmed, blank lines dropped on a rewrite, comments and other
// keys kept, the first of duplicate sections and keys wins, lines end in CR LF, a UTF-8 byte
// order mark is kept. Files in UTF-16 and deleting keys or sections are not simulated.
#pragma once

#include "fake/fake.h"

#include <string>
#include <vector>

namespace polkamoot::fake {

// The whole file as bytes; setting it makes the file exist.
void SetProfileText(const std::string& file, const std::string& text);
std::string ProfileText(const std::string& file); // empty when there is no file
bool ProfileExists(const std::string& file);

// Every WritePrivateProfileStringA call in order, refused ones included.
struct ProfileWrite {
    std::string section;
    std::string key;
    std::string text;
    std::string file;
};
std::vector<ProfileWrite> ProfileWrites();

} // namespace polkamoot::fake
