#pragma once

#include "core/diagrams/PlaneChart.h"

#include <QDialog>

class QListWidget;

namespace zarva::gui {

// Chooses two channels that make one trajectory of a plane diagram: resistance and reactance
// for the circle diagram, braking and differential current for the differential one.
class ChannelPairDlg : public QDialog {
    Q_OBJECT
public:
    ChannelPairDlg(ChartKind kind, const QStringList& channels, QWidget* parent = nullptr);

    // The chosen pair, shown; empty names until both lists have a choice.
    ChannelPair Pair() const;

private:
    QListWidget* first_;
    QListWidget* second_;
};

} // namespace zarva::gui
