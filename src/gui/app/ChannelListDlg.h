#pragma once

#include <QDialog>

#include <vector>

class QTreeWidget;
class QTreeWidgetItem;

namespace zarva {
class Oscillogram;
}

namespace zarva::gui {

// "Каналы": every channel of the record, analog and discrete in two branches, with a check
// box that shows or hides its row. The record is not touched; Visibility() holds the choice.
class ChannelListDlg : public QDialog {
    Q_OBJECT
public:
    ChannelListDlg(const Oscillogram& record, QWidget* parent);

    // Per channel of the record, in order: shown or not.
    std::vector<bool> Visibility() const;
    // Checks or clears every channel.
    void CheckAll(bool visible);

private:
    QTreeWidgetItem* AddBranch(int titleId);

    QTreeWidget* tree_;
    std::vector<QTreeWidgetItem*> channelItems_;
};

} // namespace zarva::gui
