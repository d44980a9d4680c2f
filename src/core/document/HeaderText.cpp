#include "core/document/HeaderText.h"

#include "core/document/Document.h"
#include "core/formats/SettingsFile.h"
#include "core/model/TextFormat.h"

namespace zarva {

std::string HeaderShown(std::string_view bytes, CodePage page)
{
    return WithLineFeeds(ToUtf8(bytes, page));
}

std::string RereadHeader(std::string_view bytes, const std::string& shown, CodePage from, CodePage to)
{
    if (shown == HeaderShown(bytes, from))
        return HeaderShown(bytes, to);
    return HeaderShown(FromUtf8(WithCrLf(shown), from), to);
}

bool ApplyHeader(Document& document, const std::string& shown, CodePage page)
{
    Oscillogram& record = document.oscillogram;
    std::string bytes = record.headerText;
    if (shown != HeaderShown(bytes, page)) {
        const std::string text = WithCrLf(shown);
        bytes = FromUtf8(text, page);
        if (ToUtf8(bytes, page) != text) {
            bytes = text;
            page = CodePage::Utf8;
        }
    }
    const bool changed = bytes != record.headerText || page != record.headerCodePage;
    record.headerText = std::move(bytes);
    record.headerCodePage = page;
    document.settings.Section(kCommentsSection).SetInt(kCodePageKey, CodePageSetting(page));
    return changed;
}

} // namespace zarva
