#pragma once

#include "core/faultloc/LineModel.h"

#include <QTreeWidget>

namespace zarva::gui {

// The line model as a tree: the two stations, under each its sections, under each section
// its parallel lines and then its taps. Items are titled by their kinds and keep their
// elements, so the tree is rebuilt after every change of the model's shape.
class ModelTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit ModelTree(QWidget* parent = nullptr);

    // Shows the model with `current` selected (station 1 when null).
    void Show(WrongPlaceLocatorData::LineModel& model, const WrongPlaceLocatorData::Element* current);
    // Null when nothing is selected.
    WrongPlaceLocatorData::Element* SelectedElement() const;
    QTreeWidgetItem* ItemOf(const WrongPlaceLocatorData::Element& element) const;
    // Whether the selected element has a neighbour of its kind `step` (±1) places away.
    bool CanMoveSelected(int step) const;

signals:
    void elementSelected(WrongPlaceLocatorData::Element* element);
};

} // namespace zarva::gui
