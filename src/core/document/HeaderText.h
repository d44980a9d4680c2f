#pragma once

#include "core/model/CodePage.h"

#include <string>
#include <string_view>

namespace zarva {

class Document;

// The header bytes as the comment dialog shows them: read in `page`, lines ending in LF.
std::string HeaderShown(std::string_view bytes, CodePage page);

// The dialog's text when its code page changes from `from` to `to`: the header's own bytes
// read afresh while the text is still as they read in `from`; an edited text is taken as the
// bytes it stands for in `from` and those read in `to`.
std::string RereadHeader(std::string_view bytes, const std::string& shown, CodePage from, CodePage to);

// Makes the dialog's text in `page` the record's header and the page its header's code page,
// kept in the settings. A text as the header's bytes read keeps those bytes; an edited one is
// written with CR LF line ends, in UTF-8 when `page` cannot hold all of it. Whether anything
// changed.
bool ApplyHeader(Document& document, const std::string& shown, CodePage page);

} // namespace zarva
