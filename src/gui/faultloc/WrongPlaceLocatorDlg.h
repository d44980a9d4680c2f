#pragma once

#include "core/faultloc/LineModel.h"

#include <QDialog>

#include <functional>
#include <map>

class QAction;
class QActionGroup;
class QToolBar;

namespace zarva {
class Oscillogram;
}

namespace zarva::gui {

class ModelTree;
class PropertyList;

// "Параметры ОМП": edits a copy of a record's line model — the model's tree, the properties of
// the selected element, and a tool bar choosing the algorithm, adding, removing and moving
// elements and saving or loading the model as an ".omp" file. OK refuses a model that cannot
// be computed, saying why, and the dialog stays open.
class WrongPlaceLocatorDlg : public QDialog {
    Q_OBJECT
public:
    // The record offers its channels; files are proposed beside `recordPath`.
    WrongPlaceLocatorDlg(const WrongPlaceLocatorData::LineModel& model, const Oscillogram& record,
                         const QString& recordPath, QWidget* parent = nullptr);

    const WrongPlaceLocatorData::LineModel& Model() const { return model_; }
    ModelTree& Tree() const { return *tree_; }
    PropertyList& Properties() const { return *properties_; }
    // The tool-bar action of a command; the algorithm menu's entry of a type.
    QAction* Action(int command) const;
    QAction* AlgorithmAction(int type) const;

    void accept() override;

private:
    QToolBar* BuildToolBar();
    void AddCommand(QToolBar& bar, int command, std::function<void()> handler);
    void ShowModel(const WrongPlaceLocatorData::Element* current);
    void UpdateCommands();
    void ShowAlgorithm();
    // The selected section, or the section of the selected parallel line or tap.
    WrongPlaceLocatorData::Section* SelectedSection() const;
    void AddSection();
    void RemoveSelected();
    void MoveSelected(int step);
    void SaveToFile();
    void LoadFromFile();

    WrongPlaceLocatorData::LineModel model_;
    QString recordPath_;
    ModelTree* tree_;
    PropertyList* properties_;
    std::map<int, QAction*> actions_;
    QActionGroup* algorithms_;
};

} // namespace zarva::gui
