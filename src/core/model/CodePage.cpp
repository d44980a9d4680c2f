#include "core/model/CodePage.h"

#include <unicode/ucnv.h>
#include <unicode/ustring.h>
#include <unicode/utf8.h>

#include <array>
#include <memory>

namespace zarva {
namespace {

constexpr UChar32 kReplacement = 0xFFFD;

const char* ConverterName(CodePage page)
{
    switch (page) {
    case CodePage::Windows1251:
        return "windows-1251";
    case CodePage::Oem866:
        return "ibm-866";
    case CodePage::Gbk:
        return "gb18030";  // decodes every GBK pair as GBK does, and the four-byte forms besides
    case CodePage::Windows1252:
        return "windows-1252";
    case CodePage::Utf8:
        break;
    }
    return "UTF-8";
}

struct ConverterCloser {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

// ICU's data is linked into its library, so opening a converter it names cannot fail short
// of a broken installation; callers then get replacement characters, never a crash.
Converter OpenConverter(CodePage page)
{
    UErrorCode status = U_ZERO_ERROR;
    Converter converter(ucnv_open(ConverterName(page), &status));
    return U_SUCCESS(status) ? std::move(converter) : nullptr;
}

// Opening a converter looks its name up among ICU's aliases, which costs more than decoding
// a name does; a folder of records decodes thousands. A converter may serve one thread only,
// so each thread keeps its own, reset before every use.
UConverter* CachedConverter(CodePage page)
{
    thread_local std::array<Converter, static_cast<std::size_t>(CodePage::Utf8) + 1> converters;
    Converter& converter = converters[static_cast<std::size_t>(page)];
    if (!converter)
        converter = OpenConverter(page);
    else
        ucnv_reset(converter.get());
    return converter.get();
}

std::u16string ToUtf16(std::string_view bytes, CodePage page)
{
    UConverter* converter = CachedConverter(page);
    if (converter == nullptr)
        return std::u16string(bytes.size(), static_cast<char16_t>(kReplacement));
    // No page of ours makes more UTF-16 units of a text than it has bytes.
    std::u16string wide(bytes.size() + 1, u'\0');
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length = ucnv_toUChars(converter, wide.data(), static_cast<int32_t>(wide.size()),
                                         bytes.data(), static_cast<int32_t>(bytes.size()), &status);
    wide.resize(U_SUCCESS(status) ? static_cast<std::size_t>(length) : 0);
    return wide;
}

std::string Utf16ToUtf8(std::u16string_view wide)
{
    std::string out(wide.size() * 3, '\0');
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strToUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &length, wide.data(),
                       static_cast<int32_t>(wide.size()), kReplacement, nullptr, &status);
    out.resize(U_SUCCESS(status) ? static_cast<std::size_t>(length) : 0);
    return out;
}

std::u16string Utf8ToUtf16(std::string_view utf8)
{
    std::u16string wide(utf8.size() + 1, u'\0');
    int32_t length = 0;
    UErrorCode status = U_ZERO_ERROR;
    u_strFromUTF8WithSub(wide.data(), static_cast<int32_t>(wide.size()), &length, utf8.data(),
                         static_cast<int32_t>(utf8.size()), kReplacement, nullptr, &status);
    wide.resize(U_SUCCESS(status) ? static_cast<std::size_t>(length) : 0);
    return wide;
}

} // namespace

void AppendUtf8(std::string& out, char32_t c)
{
    uint8_t bytes[U8_MAX_LENGTH];
    int32_t length = 0;
    bool invalid = false;
    U8_APPEND(bytes, length, U8_MAX_LENGTH, static_cast<UChar32>(c), invalid);
    if (invalid)
        return;
    out.append(reinterpret_cast<const char*>(bytes), static_cast<std::size_t>(length));
}

std::size_t Utf8SequenceLength(std::string_view text, std::size_t i, char32_t* decoded)
{
    if (i >= text.size())
        return 0;
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    std::size_t next = i;
    UChar32 c = 0;
    U8_NEXT(bytes, next, text.size(), c);
    if (c < 0)
        return 0;
    if (decoded)
        *decoded = static_cast<char32_t>(c);
    return next - i;
}

std::string ToUtf8(std::string_view bytes, CodePage page)
{
    return Utf16ToUtf8(ToUtf16(bytes, page));
}

std::string FromUtf8(std::string_view utf8, CodePage page)
{
    const std::u16string wide = Utf8ToUtf16(utf8);
    if (page == CodePage::Utf8)
        return Utf16ToUtf8(wide);
    UConverter* converter = CachedConverter(page);
    if (converter == nullptr)
        return std::string(wide.size(), '?');
    UErrorCode status = U_ZERO_ERROR;
    ucnv_setSubstChars(converter, "?", 1, &status);
    std::string out(wide.size() * static_cast<std::size_t>(ucnv_getMaxCharSize(converter)) + 1, '\0');
    const int32_t length = ucnv_fromUChars(converter, out.data(), static_cast<int32_t>(out.size()), wide.data(),
                                           static_cast<int32_t>(wide.size()), &status);
    out.resize(U_SUCCESS(status) ? static_cast<std::size_t>(length) : 0);
    return out;
}

bool IsMultiByteUtf8(std::string_view bytes)
{
    bool multiByte = false;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = Utf8SequenceLength(bytes, i, nullptr);
        if (length == 0)
            return false;
        multiByte = multiByte || length > 1;
        i += length;
    }
    return multiByte;
}

std::string DecodeText(std::string_view bytes, CodePage page)
{
    const bool singleByte = page != CodePage::Gbk && page != CodePage::Utf8;
    return singleByte && IsMultiByteUtf8(bytes) ? std::string(bytes) : ToUtf8(bytes, page);
}

} // namespace zarva
