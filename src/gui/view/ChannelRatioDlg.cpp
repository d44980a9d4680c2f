#include "gui/view/ChannelRatioDlg.h"

#include "gui/app/DialogButtons.h"
#include "gui/app/Texts.h"

#include "core/model/Oscillogram.h"
#include "core/model/TextFormat.h"
#include "core/view/ViewTexts.h"

#include <QHeaderView>
#include <QMessageBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include <charconv>
#include <cmath>

namespace zarva::gui {
namespace {

constexpr int kCaption = 477;
constexpr int kChannelColumn = 3226;
constexpr int kPrimaryColumn = 3361;
constexpr int kSecondaryColumn = 3150;

// Every digit: a ratio shown shortened would read back as another and be changed unasked.
QString RatioText(double value)
{
    return QString::fromStdString(ExactText(value));
}

} // namespace

std::optional<double> ParseRatio(const QString& text)
{
    const std::string typed = text.trimmed().replace(QLatin1Char(','), QLatin1Char('.')).toStdString();
    double value = 0.0;
    const auto [end, error] = std::from_chars(typed.data(), typed.data() + typed.size(), value);
    if (error != std::errc{} || end != typed.data() + typed.size() || !std::isfinite(value) || value <= 0.0)
        return std::nullopt;
    return value;
}

ChannelRatioDlg::ChannelRatioDlg(const Oscillogram& record, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(Tr(kCaption));
    auto* layout = new QVBoxLayout(this);
    table_ = new QTableWidget(0, 3, this);
    table_->setHorizontalHeaderLabels({Tr(kChannelColumn), Tr(kPrimaryColumn), Tr(kSecondaryColumn)});
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    for (const Channel& channel : record.channels) {
        if (!channel.IsAnalog())
            continue;
        const int row = table_->rowCount();
        table_->insertRow(row);
        auto* name = new QTableWidgetItem(QString::fromStdString(channel.Name()));
        name->setFlags(name->flags() & ~Qt::ItemIsEditable);
        table_->setItem(row, 0, name);
        table_->setItem(row, 1, new QTableWidgetItem(RatioText(channel.primary)));
        table_->setItem(row, 2, new QTableWidgetItem(RatioText(channel.secondary)));
    }
    layout->addWidget(table_);
    AddOkCancel(*this, *layout, viewtext::kOk);
    resize(520, 360);
}

std::optional<double> ChannelRatioDlg::CellValue(int row, int column) const
{
    const QTableWidgetItem* item = table_->item(row, column);
    return item != nullptr ? ParseRatio(item->text()) : std::nullopt;
}

void ChannelRatioDlg::accept()
{
    for (int row = 0; row < table_->rowCount(); ++row) {
        for (int column = 1; column <= 2; ++column) {
            if (!CellValue(row, column)) {
                table_->setCurrentCell(row, column);
                QMessageBox::warning(this, windowTitle(), Tr(viewtext::kBadRatio));
                return;
            }
        }
    }
    QDialog::accept();
}

std::vector<std::size_t> ChannelRatioDlg::Apply(Oscillogram& record) const
{
    std::vector<std::size_t> changed;
    int row = 0;
    for (std::size_t i = 0; i < record.channels.size(); ++i) {
        Channel& channel = record.channels[i];
        if (!channel.IsAnalog())
            continue;
        bool edited = false;
        for (const auto& [column, field] : {std::pair{1, &channel.primary}, std::pair{2, &channel.secondary}}) {
            const std::optional<double> value = CellValue(row, column);
            if (value && *value != *field) {
                *field = *value;
                edited = true;
            }
        }
        if (edited)
            changed.push_back(i);
        ++row;
    }
    return changed;
}

} // namespace zarva::gui
