#pragma once

#include <QDialog>

#include <set>
#include <vector>

class QLabel;
class QTabWidget;

namespace zarva::gui {

class CQAnPropPg;
class CZarvaDoc;

// "Быстрый анализ": the pages over the record; "Рассчитать" adds the computed channels of
// every page the user opened, the first page counting as opened. It stays open beside the
// record, following its cursor 1 and its channels.
class CQAnPropSheet : public QDialog {
    Q_OBJECT
public:
    CQAnPropSheet(CZarvaDoc& document, QWidget* parent);

    const CZarvaDoc& Document() const { return document_; }
    QTabWidget& Pages() const { return *pages_; }
    CQAnPropPg& Page(int index) const;
    // "Рассчитать": false, with the reason shown, when a page lacks a channel.
    bool Calculate();
    void accept() override;

private:
    void ShowCursor();

    CZarvaDoc& document_;
    QTabWidget* pages_;
    QLabel* cursor_;
    std::vector<CQAnPropPg*> pageList_;
    std::set<int> opened_{0};
};

// Opens the document's sheet, or brings it forward when it is open.
CQAnPropSheet* ShowQuickAnalysis(CZarvaDoc& document);

// Command 137 of the document.
void RegisterQuickAnalysisCommand(CZarvaDoc& document);

} // namespace zarva::gui
