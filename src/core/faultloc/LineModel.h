#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zarva {
class SettingsSection;

// The record settings section that keeps the line model.
inline constexpr const char* kLocatorSettingsSection = "WrongPlaceFinding";
} // namespace zarva

// The faulted line as the fault locator sees it from its two substations: each station names
// the record's channels of its currents and voltages and lists the sections that leave it;
// a section carries its length, pole count, per-kilometre impedances, the parallel lines
// coupled to it and the taps on it. Every value is kept as the text the user typed.
namespace zarva::WrongPlaceLocatorData {

// How the dialog edits a property, and which channels it offers for a channel name.
enum class Editor : int { Text, Number, Channel };
enum class Quantity : int { None, Current, Voltage };

struct Property {
    bool editable = true;
    std::string name;   // shown: the string-table text, or the channel key itself
    std::string key;    // in the files
    std::string value;
    Editor editor = Editor::Text;
    Quantity quantity = Quantity::None;
};

// The algorithm the model is computed with.
enum AlgorithmType : int { kIsolatedNeutral = 1, kGroundedNeutral = 2, kTwoEnded = 4 };

class Element {
public:
    virtual ~Element() = default;
    Element(const Element&) = delete;
    Element& operator=(const Element&) = delete;

    virtual bool IsStation() const { return false; }
    // String-table number of the element's kind, the title of its tree item.
    virtual int TitleId() const = 0;
    Element* Parent() const { return parent_; }

    const std::vector<Property>& Properties() const { return properties_; }
    // Null when there is none.
    const Property* Find(std::string_view nameOrKey) const;
    // A property by its shown name or its file key: empty text when there is none; setting
    // one that does not exist does nothing.
    const std::string& Value(std::string_view nameOrKey) const;
    void SetValue(std::string_view nameOrKey, std::string value);
    // The value as a decimal real, a comma taken for the decimal point; 0 for text that is no
    // number (NaN and infinities pass through, for validation to refuse).
    double Number(std::string_view nameOrKey) const;

    // Asks the parent to remove this element (which destroys it) or to move it one place in
    // its list. A station has no parent: nothing happens and the moves return false.
    void Remove();
    bool MoveUp();
    bool MoveDown();

protected:
    struct PropertyDefault {
        int textId;       // 0: the name is the key
        const char* key;
        const char* value;
        Editor editor;
        Quantity quantity = Quantity::None;
    };
    Element(Element* parent, std::initializer_list<PropertyDefault> defaults);

    virtual void RemoveChild(const Element&) {}
    virtual bool MoveChild(const Element&, int) { return false; }

private:
    Property* Find(std::string_view nameOrKey);

    Element* parent_;
    std::vector<Property> properties_;
};

class ParallelLine final : public Element {
public:
    explicit ParallelLine(Element* section);
    int TitleId() const override;
};

// A tap: a zero-sequence path to earth (an earthed transformer) at the far end of its section.
class Connection final : public Element {
public:
    explicit Connection(Element* section);
    int TitleId() const override;
};

class Station;

class Section final : public Element {
public:
    explicit Section(Station* station);
    int TitleId() const override;

    const std::vector<std::unique_ptr<ParallelLine>>& ParallelLines() const { return parallelLines_; }
    const std::vector<std::unique_ptr<Connection>>& Connections() const { return connections_; }
    ParallelLine& AddParallelLine();
    Connection& AddConnection();
    // A new section with the defaults right after this one, in its station.
    Section& AddSectionAfter();

protected:
    void RemoveChild(const Element& child) override;
    bool MoveChild(const Element& child, int step) override;

private:
    Station* station_;
    std::vector<std::unique_ptr<ParallelLine>> parallelLines_;
    std::vector<std::unique_ptr<Connection>> connections_;
};

class Station final : public Element {
public:
    Station();
    bool IsStation() const override { return true; }
    int TitleId() const override;

    std::size_t SectionCount() const { return sections_.size(); }
    Section& SectionAt(std::size_t index) { return *sections_.at(index); }
    const Section& SectionAt(std::size_t index) const { return *sections_.at(index); }
    // A new section with the defaults after `after`, or at the end when it is null.
    Section& AddSectionAfter(const Section* after);
    void ClearSections() { sections_.clear(); }

protected:
    void RemoveChild(const Element& child) override;
    bool MoveChild(const Element& child, int step) override;

private:
    std::vector<std::unique_ptr<Section>> sections_;
};

// Two stations (the measuring end first) and the algorithm type. Copies are deep.
class LineModel {
public:
    LineModel() = default;
    LineModel(const LineModel& other);
    LineModel& operator=(const LineModel& other);

    Station& StationAt(int index) { return stations_.at(static_cast<std::size_t>(index)); }
    const Station& StationAt(int index) const { return stations_.at(static_cast<std::size_t>(index)); }
    // Nothing differs from a new model.
    bool IsDefault() const;

    // Empties the section, then writes the model into it (version 2).
    void Save(SettingsSection& section) const;
    // Replaces the model with the one the section holds, version 2 or 1; absent keys take
    // their defaults. At most kMaxSections sections per station and kMaxChildren parallel
    // lines and taps per section are read, so that a hostile file cannot exhaust memory.
    void Load(const SettingsSection& section);

    static constexpr std::size_t kMaxSections = 1000;
    static constexpr std::size_t kMaxChildren = 100;

    int type = kIsolatedNeutral;

private:
    std::array<Station, 2> stations_;
};

} // namespace zarva::WrongPlaceLocatorData
