#pragma once

#include <QDialog>

#include <cstddef>
#include <optional>
#include <vector>

class QTableWidget;

namespace zarva {
class Oscillogram;
}

namespace zarva::gui {

// "Коэффициенты трансформации": the primary and secondary ratio of every analog channel,
// edited in place. OK is refused while a value is no positive number.
class ChannelRatioDlg : public QDialog {
    Q_OBJECT
public:
    ChannelRatioDlg(const Oscillogram& record, QWidget* parent);

    QTableWidget& Table() const { return *table_; }
    // Writes the edited ratios into the record; the channels whose ratio changed.
    std::vector<std::size_t> Apply(Oscillogram& record) const;

    void accept() override;

private:
    std::optional<double> CellValue(int row, int column) const;

    QTableWidget* table_;
};

// A ratio as typed: a decimal number with a point or a comma; none unless it is positive
// and finite.
std::optional<double> ParseRatio(const QString& text);

} // namespace zarva::gui
