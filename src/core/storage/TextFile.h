#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zarva {

// Text inside the program is UTF-8; the system's own files are UTF-16LE with a byte-order
// mark. Code units that do not form a character become U+FFFD.
std::string Utf16LeToUtf8(std::string_view bytes);
std::string Utf8ToUtf16Le(std::string_view utf8);

// The whole file as UTF-8 text: UTF-16LE after its byte-order mark (an odd trailing byte is
// dropped), UTF-8 after its mark, otherwise 8-bit text, taken as UTF-8 when it is valid
// multi-byte UTF-8 and as Windows-1251 else. Raises FileException when the file cannot be
// read and CZarvaException 330 with the path when it is empty.
std::string ReadStoredText(const std::filesystem::path& path);

// Writes the bytes to a new file beside the target and renames it over the target, so a
// failure leaves the previous file whole. A symbolic link is followed, the target's
// permissions kept. Raises FileException when anything fails.
void ReplaceFile(const std::filesystem::path& path, std::string_view bytes);

} // namespace zarva
