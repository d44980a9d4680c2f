#include "core/faultloc/LineModel.h"

#include "core/formats/CfgFieldReader.h"
#include "core/model/StringTable.h"
#include "core/storage/SettingsSection.h"

#include <algorithm>
#include <utility>

namespace zarva::WrongPlaceLocatorData {
namespace {

constexpr int kStationTitle = 3383;
constexpr int kSectionTitle = 3512;
constexpr int kParallelLineTitle = 3351;
constexpr int kConnectionTitle = 3344;
constexpr int kCommentText = 3248;

template <class T>
void EraseOwned(std::vector<std::unique_ptr<T>>& list, const Element& element)
{
    std::erase_if(list, [&](const std::unique_ptr<T>& owned) { return owned.get() == &element; });
}

// Swaps the element with its neighbour `step` places away; false when it has none there.
template <class T>
bool MoveOwned(std::vector<std::unique_ptr<T>>& list, const Element& element, int step)
{
    const auto found = std::find_if(list.begin(), list.end(),
                                    [&](const std::unique_ptr<T>& owned) { return owned.get() == &element; });
    if (found == list.end())
        return false;
    const auto index = found - list.begin();
    const auto target = index + step;
    if (target < 0 || target >= static_cast<std::ptrdiff_t>(list.size()))
        return false;
    std::swap(list[static_cast<std::size_t>(index)], list[static_cast<std::size_t>(target)]);
    return true;
}

} // namespace

Element::Element(Element* parent, std::initializer_list<PropertyDefault> defaults) : parent_(parent)
{
    properties_.reserve(defaults.size());
    for (const PropertyDefault& entry : defaults) {
        properties_.push_back({.editable = true,
                               .name = entry.textId != 0 ? Text(entry.textId) : entry.key,
                               .key = entry.key,
                               .value = entry.value,
                               .editor = entry.editor,
                               .quantity = entry.quantity});
    }
}

const Property* Element::Find(std::string_view nameOrKey) const
{
    for (const Property& property : properties_) {
        if (property.key == nameOrKey || property.name == nameOrKey)
            return &property;
    }
    return nullptr;
}

Property* Element::Find(std::string_view nameOrKey)
{
    return const_cast<Property*>(std::as_const(*this).Find(nameOrKey));
}

const std::string& Element::Value(std::string_view nameOrKey) const
{
    static const std::string kNone;
    const Property* property = Find(nameOrKey);
    return property != nullptr ? property->value : kNone;
}

void Element::SetValue(std::string_view nameOrKey, std::string value)
{
    if (Property* property = Find(nameOrKey))
        property->value = std::move(value);
}

double Element::Number(std::string_view nameOrKey) const
{
    std::string text = Value(nameOrKey);
    std::replace(text.begin(), text.end(), ',', '.');
    return ToNumber(text);
}

void Element::Remove()
{
    if (parent_ != nullptr)
        parent_->RemoveChild(*this);
}

bool Element::MoveUp()
{
    return parent_ != nullptr && parent_->MoveChild(*this, -1);
}

bool Element::MoveDown()
{
    return parent_ != nullptr && parent_->MoveChild(*this, 1);
}

ParallelLine::ParallelLine(Element* section)
    : Element(section, {{3077, "rm", "0", Editor::Number},
                        {3099, "xm", "0", Editor::Number},
                        {0, "I0", "", Editor::Channel, Quantity::Current},
                        {kCommentText, "comment", "", Editor::Text}})
{
}

int ParallelLine::TitleId() const
{
    return kParallelLineTitle;
}

Connection::Connection(Element* section)
    : Element(section, {{3070, "r0", "0", Editor::Number},
                        {3096, "x0", "0", Editor::Number},
                        {kCommentText, "comment", "", Editor::Text}})
{
}

int Connection::TitleId() const
{
    return kConnectionTitle;
}

Section::Section(Station* station)
    : Element(station, {{3186, "lenght", "1", Editor::Number},
                        {3534, "sup_number", "1", Editor::Number},
                        {3069, "r", "0", Editor::Number},
                        {3095, "x", "0", Editor::Number},
                        {3075, "r1", "0", Editor::Number},
                        {3098, "x1", "0", Editor::Number},
                        {3072, "r0", "0", Editor::Number},
                        {3097, "x0", "0", Editor::Number},
                        {kCommentText, "comment", "", Editor::Text}}),
      station_(station)
{
}

int Section::TitleId() const
{
    return kSectionTitle;
}

ParallelLine& Section::AddParallelLine()
{
    return *parallelLines_.emplace_back(std::make_unique<ParallelLine>(this));
}

Connection& Section::AddConnection()
{
    return *connections_.emplace_back(std::make_unique<Connection>(this));
}

Section& Section::AddSectionAfter()
{
    return station_->AddSectionAfter(this);
}

void Section::RemoveChild(const Element& child)
{
    EraseOwned(parallelLines_, child);
    EraseOwned(connections_, child);
}

bool Section::MoveChild(const Element& child, int step)
{
    return MoveOwned(parallelLines_, child, step) || MoveOwned(connections_, child, step);
}

Station::Station()
    : Element(nullptr, {{3284, "obj_name", "", Editor::Text},
                        {3309, "In", "0", Editor::Number},
                        {0, "Ia", "", Editor::Channel, Quantity::Current},
                        {0, "Ib", "", Editor::Channel, Quantity::Current},
                        {0, "Ic", "", Editor::Channel, Quantity::Current},
                        {0, "Uab", "", Editor::Channel, Quantity::Voltage},
                        {0, "Ubc", "", Editor::Channel, Quantity::Voltage},
                        {0, "Uca", "", Editor::Channel, Quantity::Voltage},
                        {0, "Ua", "", Editor::Channel, Quantity::Voltage},
                        {0, "Ub", "", Editor::Channel, Quantity::Voltage},
                        {0, "Uc", "", Editor::Channel, Quantity::Voltage}})
{
}

int Station::TitleId() const
{
    return kStationTitle;
}

Section& Station::AddSectionAfter(const Section* after)
{
    auto position = std::find_if(sections_.begin(), sections_.end(),
                                 [&](const std::unique_ptr<Section>& owned) { return owned.get() == after; });
    position = position == sections_.end() ? sections_.end() : position + 1;
    return **sections_.insert(position, std::make_unique<Section>(this));
}

void Station::RemoveChild(const Element& child)
{
    EraseOwned(sections_, child);
}

bool Station::MoveChild(const Element& child, int step)
{
    return MoveOwned(sections_, child, step);
}

LineModel::LineModel(const LineModel& other)
{
    *this = other;
}

LineModel& LineModel::operator=(const LineModel& other)
{
    if (this != &other) {
        SettingsSection copy;
        other.Save(copy);
        Load(copy);
    }
    return *this;
}

bool LineModel::IsDefault() const
{
    SettingsSection own;
    Save(own);
    SettingsSection fresh;
    LineModel().Save(fresh);
    return own == fresh;
}

} // namespace zarva::WrongPlaceLocatorData
