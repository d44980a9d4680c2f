#pragma once

#include "core/faultloc/LineModel.h"

#include <QStringList>
#include <QTreeWidget>

namespace zarva {
class Oscillogram;
}

namespace zarva::gui {

// The record's analog channels a channel property may name, by what they measure.
class ChannelChoices {
public:
    ChannelChoices() = default;
    explicit ChannelChoices(const Oscillogram& record);

    // "No channel" first, then the channels measuring the quantity; every analog channel when
    // the record has none of that kind.
    QStringList For(WrongPlaceLocatorData::Quantity quantity) const;

private:
    QStringList currents_;
    QStringList voltages_;
    QStringList analog_;
};

// The properties of one model element, "Параметр" and "Значение", each edited as the element
// says: a line of text, a number, or a channel of the record. Edits go straight into the
// element.
class PropertyList : public QTreeWidget {
    Q_OBJECT
public:
    explicit PropertyList(ChannelChoices channels, QWidget* parent = nullptr);

    // Null shows nothing. The element must outlive its showing.
    void Show(WrongPlaceLocatorData::Element* element);
    WrongPlaceLocatorData::Element* Shown() const { return element_; }
    // The row of a property by its shown name; null when there is none.
    QTreeWidgetItem* ItemOf(const QString& name) const;
    // Ends an edit in progress, keeping what was typed.
    void FinishEditing();

private:
    WrongPlaceLocatorData::Element* element_ = nullptr;
};

} // namespace zarva::gui
