#pragma once

#include "core/charbase/Characteristic.h"

#include <QTreeWidget>

#include <cstddef>
#include <vector>

class QComboBox;

namespace zarva::gui {

// The grid under a plane diagram: the block-type selector, then one group per characteristic
// of the selected block (its legend square and a check mark for "shown") with its settings,
// edited in place as text.
class BlockPropertyGrid : public QTreeWidget {
    Q_OBJECT
public:
    explicit BlockPropertyGrid(QWidget* parent = nullptr);

    // Offers the blocks' names and shows the characteristics of `selected`. The grid edits
    // the blocks in place; they must outlive it or the next call.
    void SetBlocks(std::vector<BlockType>* blocks, std::size_t selected);
    std::size_t Selected() const;
    // The current characteristics again (after their values changed elsewhere).
    void ShowCharacteristics();

signals:
    void blockSelected(std::size_t index);
    // A characteristic was shown or hidden, or a setting changed.
    void choicesEdited();

private:
    void OnItemChanged(QTreeWidgetItem* item, int column);
    BlockType* Block() const;

    std::vector<BlockType>* blocks_ = nullptr;
    QComboBox* selector_ = nullptr;
    bool filling_ = false;
};

} // namespace zarva::gui
