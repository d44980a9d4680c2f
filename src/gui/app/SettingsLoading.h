#pragma once

namespace zarva::gui {

class CZarvaDoc;

// "Загрузка настроек": asks for another record's settings file and applies it to the
// document; what did not match is listed in one message.
void LoadOtherSettings(CZarvaDoc& document);

} // namespace zarva::gui
