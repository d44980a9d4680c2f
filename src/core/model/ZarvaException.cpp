#include "core/model/ZarvaException.h"

#include "core/model/StringTable.h"

#include <cstring>

namespace zarva {

CZarvaException::CZarvaException(int messageId, std::string parameter)
    : messageId_(messageId), parameter_(std::move(parameter)), text_(Text(messageId))
{
    if (!parameter_.empty())
        text_ += " - " + parameter_;
}

CZarvaException CZarvaException::Composed(int messageId, std::string text)
{
    CZarvaException error(messageId);
    error.text_ = std::move(text);
    return error;
}

FileException::FileException(int errorCode, std::filesystem::path path, FileAccess access)
    : errorCode_(errorCode), path_(std::move(path)), access_(access)
{
    std::string format = Text(access == FileAccess::Write ? messages::kFileWriteError : messages::kFileReadError);
    const std::string pathText = path_.string();
    if (const auto at = format.find("%s"); at != std::string::npos)
        format.replace(at, 2, pathText);
    else
        format += " " + pathText;
    text_ = format + " (" + std::strerror(errorCode_) + ")";
}

} // namespace zarva
