#pragma once

#include "gui/app/CommandTarget.h"

#include <QMdiSubWindow>

#include <memory>

namespace zarva::gui {

class CZarvaDoc;
class CZarvaView;

// The document window: owns its document and hosts its view. Closing asks the document
// first.
class CChildFrame : public QMdiSubWindow, public CommandTarget {
    Q_OBJECT
public:
    explicit CChildFrame(std::unique_ptr<CZarvaDoc> document, QWidget* parent = nullptr);
    ~CChildFrame() override;

    CZarvaDoc& Document() const { return *document_; }
    CZarvaView& View() const { return *view_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void ChooseChannels();
    void UpdateTitle();

    std::unique_ptr<CZarvaDoc> document_;
    CZarvaView* view_;
};

} // namespace zarva::gui
