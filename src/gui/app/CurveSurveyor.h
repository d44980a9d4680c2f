#pragma once

#include "core/document/LoadProgress.h"

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

namespace zarva {
class DerivedSeries;
class Document;
}

namespace zarva::gui {

// Surveys the drawn curves of a record (extremes and min/max levels) on a thread of its own
// after the record is shown, so that a large record appears as soon as its samples are in.
// Reads only what the channels' derived series hold, never the channels themselves; the
// results are taken into the channels on the interface thread when it is done.
class CurveSurveyor : public QObject {
    Q_OBJECT
public:
    explicit CurveSurveyor(QObject* parent = nullptr);
    ~CurveSurveyor() override;

    // Starts on the channels not surveyed yet; nothing when every one is.
    void Start(const Document& document);
    // Stops a survey under way; its channels stay unsurveyed.
    void Stop();
    bool Running() const { return worker_.joinable(); }
    int Percent() const { return progress_.Percent(); }

signals:
    void progressed(int percent);
    // On the interface thread, once the survey has ended (run through or stopped).
    void finished();

private:
    void Join();

    LoadProgress progress_;
    std::vector<std::shared_ptr<const DerivedSeries>> curves_;
    std::thread worker_;
    std::uint64_t run_ = 0;  // counts the surveys started, so that a stopped one's end is ignored
    QTimer poll_;
};

} // namespace zarva::gui
