#include "gui/app/CommandLine.h"

#include "gui/app/Texts.h"

#include "core/model/Channel.h"
#include "core/model/StringTable.h"
#include "core/model/TextFormat.h"

#include <QRegularExpression>

namespace zarva::gui {
namespace {

constexpr int kWrongSize = 4645;
constexpr int kUnknownOption = 4648;

bool ParseSize(const QString& text, QSize& size)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{2,5})[xX](\\d{2,5})$"));
    const QRegularExpressionMatch match = form.match(text);
    if (!match.hasMatch())
        return false;
    size = QSize(match.captured(1).toInt(), match.captured(2).toInt());
    return size.width() >= 200 && size.height() >= 150 && size.width() <= 8000 && size.height() <= 8000;
}

constexpr int kWrongValue = 4023;

QString WrongValue(const QString& option, const QString& value)
{
    return QString::fromStdString(
        FormatText(Text(kWrongValue), {option.toStdString(), value.toStdString()}));
}

bool ParseCursors(const QString& text, ScreenshotView& view)
{
    static const QRegularExpression form(QStringLiteral("^v([123])=(\\d{1,12})$"));
    for (const QString& part : text.split(QLatin1Char(','))) {
        const QRegularExpressionMatch match = form.match(part.trimmed().toLower());
        if (!match.hasMatch())
            return false;
        view.cursors.emplace_back(match.captured(1).toInt() - 1, match.captured(2).toLongLong());
    }
    return true;
}

bool ParseReadouts(const QString& text, ScreenshotView& view)
{
    std::uint32_t flags = 0;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString name = part.trimmed().toLower();
        if (name == QLatin1String("minmax"))
            flags |= display::kReadMinMax;
        else if (name == QLatin1String("rms"))
            flags |= display::kReadRms;
        else if (name == QLatin1String("a1"))
            flags |= display::kReadFirstHarmonic;
        else
            return false;
    }
    view.readouts = flags;
    return true;
}

// The view options of a screenshot; false when `option` is none of them.
bool ParseViewOption(const QString& option, const QString& value, ScreenshotView& view, QString& error)
{
    bool valid = true;
    if (option == QLatin1String("--cursor")) {
        valid = ParseCursors(value, view);
    } else if (option == QLatin1String("--select")) {
        view.select = value.split(QLatin1Char(','), Qt::SkipEmptyParts);
    } else if (option == QLatin1String("--xscale")) {
        const double scale = value.toDouble(&valid);
        valid = valid && scale > 0.0;
        view.xScale = scale;
    } else if (option == QLatin1String("--first-sample")) {
        view.firstSample = value.toLongLong(&valid);
        valid = valid && *view.firstSample >= 0;
    } else if (option == QLatin1String("--ruler")) {
        view.ruler = value.toInt(&valid);
        valid = valid && *view.ruler >= 0 && *view.ruler <= 4;
    } else if (option == QLatin1String("--readouts")) {
        valid = ParseReadouts(value, view);
    } else if (option == QLatin1String("--annotate")) {
        view.annotate = value;  // read against the record once it is open
    } else {
        return false;
    }
    if (!valid)
        error = WrongValue(option, value);
    return true;
}

bool IsDiagramName(const QString& name)
{
    return name == QLatin1String("vector") || name == QLatin1String("frequency") || name == QLatin1String("circle") ||
           name == QLatin1String("diff");
}

// "--pane", "--on", "--diagram", "--block" and "--pair"; false when `option` is none of them.
bool ParseDiagramOption(const QString& option, const QString& value, CommandLine& line)
{
    const QString wrong = Tr(kUnknownOption, option + QLatin1Char(' ') + value);
    if (option == QLatin1String("--pane")) {
        line.panes = value.split(QLatin1Char(','), Qt::SkipEmptyParts);
        for (const QString& pane : line.panes) {
            if (!IsDiagramName(pane))
                line.error = wrong;
        }
    } else if (option == QLatin1String("--on")) {
        for (const QString& part : value.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString diagram = part.section(QLatin1Char(':'), 0, 0);
            if (!IsDiagramName(diagram) || !part.contains(QLatin1Char(':')))
                line.error = wrong;
            line.onDiagrams.emplace_back(diagram, part.section(QLatin1Char(':'), 1).split(QLatin1Char(','), Qt::SkipEmptyParts));
        }
    } else if (option == QLatin1String("--diagram")) {
        line.diagram = value;
        if (!IsDiagramName(value))
            line.error = wrong;
    } else if (option == QLatin1String("--block")) {
        line.block = value;
    } else if (option == QLatin1String("--pair")) {
        const QStringList names = value.split(QLatin1Char(','));
        if (names.size() != 2 || names[0].isEmpty() || names[1].isEmpty())
            line.error = wrong;
        else
            line.pairs.emplace_back(names[0], names[1]);
    } else {
        return false;
    }
    return true;
}

} // namespace

CommandLine ParseCommandLine(const QStringList& arguments)
{
    CommandLine line;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (argument.compare(QLatin1String("-Dst"), Qt::CaseInsensitive) == 0) {
            if (hasValue)
                line.dst = arguments[++i];
        } else if (argument == QLatin1String("-Find")) {
            line.find = true;
        } else if (argument == QLatin1String("--screenshot") && hasValue) {
            line.screenshot = arguments[++i];
        } else if (argument == QLatin1String("--size") && hasValue) {
            const QString size = arguments[++i];
            if (!ParseSize(size, line.size))
                line.error = Tr(kWrongSize, size);
        } else if (argument == QLatin1String("--lang") && hasValue) {
            line.language = arguments[++i].toLower();
            if (line.language != QLatin1String("ru") && line.language != QLatin1String("en"))
                line.error = Tr(kUnknownOption, argument + QLatin1Char(' ') + line.language);
        } else if (hasValue && (ParseViewOption(argument, arguments[i + 1], line.view, line.error) ||
                                ParseDiagramOption(argument, arguments[i + 1], line))) {
            ++i;
        } else if (argument.startsWith(QLatin1Char('-'))) {
            line.error = Tr(kUnknownOption, argument);
        } else {
            line.files.append(argument);
        }
    }
    return line;
}

} // namespace zarva::gui
