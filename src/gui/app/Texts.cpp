#include "gui/app/Texts.h"

#include "core/model/StringTable.h"

namespace zarva::gui {

QString Tr(int id)
{
    return QString::fromStdString(Text(id));
}

QString Tr(int id, const QString& argument)
{
    QString text = Tr(id);
    const qsizetype at = text.indexOf(QLatin1String("%s"));
    if (at < 0)
        return text + QLatin1String(" - ") + argument;
    return text.replace(at, 2, argument);
}

} // namespace zarva::gui
