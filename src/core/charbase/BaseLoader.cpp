#include "core/charbase/BaseLoader.h"

#include "core/formats/CfgFieldReader.h"
#include "core/formula/FormulaChars.h"
#include "core/model/StringTable.h"
#include "core/model/ZarvaException.h"
#include "core/storage/XmlDocument.h"

#include <algorithm>
#include <optional>

namespace zarva {
namespace {

constexpr int kNoBlock = 3306;  // "Нет"

std::optional<Combine> CombineCode(const std::string& word)
{
    const std::pair<const char*, Combine> codes[] = {
        {"and", Combine::And}, {"or", Combine::Or}, {"xor", Combine::Xor}, {"not", Combine::Not}};
    for (const auto& [text, code] : codes) {
        if (EqualIgnoringAsciiCase(word, text))
            return code;
    }
    return std::nullopt;
}

std::unique_ptr<PolygonF> ReadPolygon(const XmlNode& node)
{
    auto polygon = std::make_unique<PolygonF>();
    for (const XmlNode& edge : node.children)
        polygon->edges.push_back({edge.GetAttribute("k"), edge.GetAttribute("b"), LeadingInt(edge.GetAttribute("type"))});
    polygon->vertices.resize(polygon->edges.size());
    return polygon;
}

std::unique_ptr<PolypointF> ReadPolypoint(const XmlNode& node)
{
    auto polypoint = std::make_unique<PolypointF>();
    for (const XmlNode& point : node.children)
        polypoint->points.push_back({point.GetAttribute("x"), point.GetAttribute("y")});
    polypoint->values.resize(polypoint->points.size());
    polypoint->closed = node.GetAttribute("closed") != "off";
    return polypoint;
}

std::unique_ptr<Circle> ReadCircle(const XmlNode& node)
{
    auto circle = std::make_unique<Circle>();
    circle->xcenter = node.GetAttribute("xcenter");
    circle->ycenter = node.GetAttribute("ycenter");
    circle->radius = node.GetAttribute("radius");
    return circle;
}

std::unique_ptr<EllipseF> ReadEllipse(const XmlNode& node)
{
    auto ellipse = std::make_unique<EllipseF>();
    ellipse->xcenter = node.GetAttribute("xcenter");
    ellipse->ycenter = node.GetAttribute("ycenter");
    ellipse->width = node.GetAttribute("width");
    ellipse->height = node.GetAttribute("height");
    ellipse->angle = node.GetAttribute("angle");
    return ellipse;
}

// Null for an element that is no figure.
std::unique_ptr<Figure> ReadFigure(const XmlNode& node)
{
    std::unique_ptr<Figure> figure;
    if (node.name == "polygon")
        figure = ReadPolygon(node);
    else if (node.name == "polypoint")
        figure = ReadPolypoint(node);
    else if (node.name == "circle")
        figure = ReadCircle(node);
    else if (node.name == "ellipse")
        figure = ReadEllipse(node);
    else
        return nullptr;
    figure->on = node.GetAttribute("mode") == "on";
    if (const std::optional<Combine> code = CombineCode(node.GetAttribute("type")))
        figure->combine = *code;
    return figure;
}

Characteristic ReadCharacteristic(const XmlNode& node, int colourIndex)
{
    Characteristic characteristic;
    characteristic.name = node.GetAttribute("name");
    characteristic.dimension = node.GetAttribute("dimension");
    characteristic.colourIndex = colourIndex;
    for (const XmlNode& child : node.children) {
        if (child.name == "parameter") {
            const std::string& value = child.GetAttribute("default");
            characteristic.parameters.push_back({child.GetAttribute("name"), value, value});
        } else if (child.name == "var") {
            characteristic.variables.push_back({child.GetAttribute("name"), child.GetAttribute("expression")});
        } else if (std::unique_ptr<Figure> figure = ReadFigure(child)) {
            characteristic.figures.push_back(std::move(figure));
        }
    }
    return characteristic;
}

void ReadBase(const XmlNode& root, ChartKind kind, std::vector<BlockType>& blocks)
{
    for (const XmlNode& blockNode : root.children) {
        BlockType block{blockNode.GetAttribute("name"), {}};
        for (const XmlNode& node : blockNode.children) {
            const bool differential = node.GetAttribute("dimension") == "DIF";
            if (differential == (kind == ChartKind::Differential))
                block.characteristics.push_back(ReadCharacteristic(node, static_cast<int>(block.characteristics.size())));
        }
        if (!block.characteristics.empty())
            blocks.push_back(std::move(block));
    }
}

// The reader's format error carries no file name; its text is made to end with one.
std::string LoadError(const CZarvaException& error, const std::filesystem::path& file)
{
    if (error.MessageId() == messages::kBadXmlFormat)
        return Text(messages::kBadXmlFormat) + file.string() + "'";
    return error.what();
}

bool IsBaseFile(const std::filesystem::directory_entry& entry)
{
    std::error_code error;
    return EqualIgnoringAsciiCase(entry.path().extension().string(), ".zrb") && entry.is_regular_file(error);
}

bool NameOrder(const std::filesystem::path& a, const std::filesystem::path& b)
{
    const std::string first = a.filename().string();
    const std::string second = b.filename().string();
    const auto folded = [](char x, char y) { return LowerAscii(x) < LowerAscii(y); };
    if (std::lexicographical_compare(first.begin(), first.end(), second.begin(), second.end(), folded))
        return true;
    return !std::lexicographical_compare(second.begin(), second.end(), first.begin(), first.end(), folded) &&
           first < second;
}

std::vector<std::filesystem::path> FolderBaseFiles(const std::filesystem::path& folder)
{
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (IsBaseFile(*it))
            files.push_back(it->path());
    }
    std::sort(files.begin(), files.end(), NameOrder);
    return files;
}

} // namespace

std::vector<std::filesystem::path> BaseFiles(const std::vector<std::filesystem::path>& folders)
{
    std::vector<std::filesystem::path> files;
    std::vector<std::filesystem::path> read;
    for (const std::filesystem::path& folder : folders) {
        std::error_code error;
        const std::filesystem::path canonical = std::filesystem::weakly_canonical(folder, error);
        if (folder.empty() || error || std::find(read.begin(), read.end(), canonical) != read.end())
            continue;
        read.push_back(canonical);
        const std::vector<std::filesystem::path> own = FolderBaseFiles(folder);
        files.insert(files.end(), own.begin(), own.end());
    }
    return files;
}

LoadedBases LoadBases(const std::vector<std::filesystem::path>& files, ChartKind kind)
{
    LoadedBases loaded;
    loaded.blocks.push_back({Text(kNoBlock), {}});
    for (const std::filesystem::path& file : files) {
        XmlDocument document;
        try {
            document.LoadFile(file);
        } catch (const CZarvaException& error) {
            loaded.errors.push_back(LoadError(error, file));
            continue;
        } catch (const FileException& error) {
            loaded.errors.push_back(error.what());
            continue;
        }
        ReadBase(document.root, kind, loaded.blocks);
    }
    return loaded;
}

std::size_t FindBlock(const std::vector<BlockType>& blocks, const std::string& name)
{
    if (name.empty())
        return 0;
    const auto found = std::find_if(blocks.begin(), blocks.end(), [&](const BlockType& b) { return b.name == name; });
    return found == blocks.end() ? 0 : static_cast<std::size_t>(found - blocks.begin());
}

} // namespace zarva
