#include "gui/merge/MergeClipboard.h"

#include "core/merge/ClipboardDocument.h"

#include <QMimeData>

namespace zarva::gui {

QString MergeMimeType()
{
    return QStringLiteral("application/x-qt-windows-mime;value=\"%1\"").arg(QLatin1String(kClipboardFormatName));
}

QMimeData* MergeMimeData(const std::string& utf8)
{
    const QString text = QString::fromStdString(utf8);
    QByteArray bytes;
    bytes.reserve((text.size() + 1) * 2);
    for (const QChar unit : text) {
        bytes.append(static_cast<char>(unit.unicode() & 0xFF));
        bytes.append(static_cast<char>(unit.unicode() >> 8));
    }
    bytes.append(2, '\0');
    auto* data = new QMimeData;
    data->setData(MergeMimeType(), bytes);
    return data;
}

std::optional<std::string> MergeText(const QMimeData* data)
{
    if (data == nullptr || !data->hasFormat(MergeMimeType()))
        return std::nullopt;
    const QByteArray bytes = data->data(MergeMimeType());
    QString text;
    text.reserve(bytes.size() / 2);
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        const auto unit = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                (static_cast<unsigned char>(bytes[i + 1]) << 8));
        if (unit == 0)
            break;  // the closing zero, and whatever a writer left after it
        text.append(QChar(unit));
    }
    return text.toStdString();
}

} // namespace zarva::gui
