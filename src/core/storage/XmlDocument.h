#pragma once

#include "core/model/ZarvaException.h"
#include "core/storage/XmlNode.h"

#include <filesystem>
#include <functional>
#include <string_view>

namespace zarva {

// Reads the system's own XML dialect into `root`. Every format error is CZarvaException 469
// with no parameter. Elements may nest up to a depth of 1000; deeper is a format error, so
// a hostile file cannot exhaust the stack.
class XmlDocument {
public:
    using ErrorReporter = std::function<void(const CZarvaException&)>;

    // Raises FileException when the file cannot be read, CZarvaException 330 with the path
    // when it is empty, and the format error.
    void LoadFile(const std::filesystem::path& path);

    // Parses UTF-8 text. A format error is handed to `reportError` when one is given; either
    // way the call returns false and the root keeps what was read before the error.
    bool LoadText(std::string_view text, const ErrorReporter& reportError = {});

    XmlNode root;
};

} // namespace zarva
