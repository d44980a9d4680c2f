#pragma once

#include <exception>
#include <filesystem>
#include <string>

namespace zarva {

// The one error type of the system: a string-table message and an optional parameter,
// usually a file name. Its text is the message, then " - " and the parameter.
class CZarvaException : public std::exception {
public:
    explicit CZarvaException(int messageId, std::string parameter = {});
    // A message composed around its string-table text, for errors that name what failed
    // in their own words (the formula errors).
    static CZarvaException Composed(int messageId, std::string text);

    int MessageId() const noexcept { return messageId_; }
    const std::string& Parameter() const noexcept { return parameter_; }
    const char* what() const noexcept override { return text_.c_str(); }

private:
    int messageId_;
    std::string parameter_;
    std::string text_;
};

enum class FileAccess { Read, Write };

// A file that cannot be opened, read or written: the system error and the path.
class FileException : public std::exception {
public:
    FileException(int errorCode, std::filesystem::path path, FileAccess access = FileAccess::Read);

    int ErrorCode() const noexcept { return errorCode_; }
    FileAccess Access() const noexcept { return access_; }
    const std::filesystem::path& Path() const noexcept { return path_; }
    const char* what() const noexcept override { return text_.c_str(); }

private:
    int errorCode_;
    std::filesystem::path path_;
    FileAccess access_;
    std::string text_;
};

namespace messages {
constexpr int kFileReadError = 124;  // "Ошибка чтения файла %s"
constexpr int kBadFileFormat = 330;
constexpr int kBadChannelName = 354;
constexpr int kBadXmlFormat = 469;
constexpr int kNotAvailableYet = 4604;
constexpr int kConverterMissing = 4605;
constexpr int kConverterNotLoaded = 4606;
constexpr int kUnknownFileType = 4607;
constexpr int kNoTemporaryFolder = 4609;
constexpr int kConversionFailed = 4610;
constexpr int kFileWriteError = 4100;  // "Ошибка записи файла %s"
} // namespace messages

} // namespace zarva
