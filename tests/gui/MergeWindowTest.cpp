#include "GuiTestSupport.h"

#include "gui/app/CChildFrame.h"
#include "gui/app/CMainFrame.h"
#include "gui/app/CZarvaDoc.h"
#include "gui/app/CommandIds.h"
#include "gui/merge/MergeBar.h"
#include "gui/merge/MergeClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMimeData>
#include <QTest>

#include <algorithm>

namespace zarva::gui::test {

class MergeWindowTest : public QObject {
    Q_OBJECT
private slots:
    void channelsCopiedInOneWindowArePastedUndoneAndMergedInAnother()
    {
        AppUnderTest app;
        CMainFrame& frame = app.Frame();
        CZarvaDoc* target = app.App().OpenDocumentFile(Str(WriteComtradeRecord(folder_, "a")));
        CZarvaDoc* source = app.App().OpenDocumentFile(Str(WriteComtradeRecord(folder_, "b")));
        QVERIFY(target != nullptr && source != nullptr);
        for (Channel& channel : source->Core().oscillogram.channels)
            channel.selected = true;
        QVERIFY(frame.Router().Route(cmd::kCopyForMerge));
        QVERIFY(QGuiApplication::clipboard()->mimeData()->hasFormat(MergeMimeType()));

        CChildFrame* first = frame.ChildShowing(target->Path());
        first->mdiArea()->setActiveSubWindow(first);
        const std::size_t own = target->Core().oscillogram.channels.size();
        QVERIFY(frame.Router().Route(cmd::kPasteForMerge));
        const std::vector<Channel>& channels = target->Core().oscillogram.channels;
        QCOMPARE(channels.size(), 2 * own);
        QVERIFY(channels.back().HasFlag(display::kPasted));
        QVERIFY(target->IsModified());
        QVERIFY(frame.Merging().isVisibleTo(&frame));
        QCOMPARE(frame.Merging().Pasted(), channels[own].name);

        frame.RefreshCommandStates();
        QVERIFY(frame.Router().StateOf(cmd::kUndo).enabled);
        QVERIFY(!frame.Router().StateOf(cmd::kRedo).enabled);
        QVERIFY(frame.Router().Route(cmd::kUndo));
        QCOMPARE(channels.size(), own);
        QVERIFY(!frame.Merging().isVisibleTo(&frame));
        QVERIFY(frame.Router().Route(cmd::kRedo));
        QCOMPARE(channels.size(), 2 * own);

        QVERIFY(frame.Router().Route(cmd::kMerge));
        QCOMPARE(channels.size(), 2 * own);
        QVERIFY(std::none_of(channels.begin(), channels.end(),
                             [](const Channel& channel) { return channel.HasFlag(display::kPasted); }));
        QVERIFY(!frame.Merging().isVisibleTo(&frame));
        frame.RefreshCommandStates();
        QVERIFY(!frame.Router().StateOf(cmd::kMerge).enabled);
    }

private:
    zarva::test::TempFolder folder_;
};

ZARVA_GUI_TEST(MergeWindowTest)

} // namespace zarva::gui::test

#include "MergeWindowTest.moc"
