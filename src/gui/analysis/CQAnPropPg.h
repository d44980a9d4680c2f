#pragma once

#include <QWidget>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class QComboBox;
class QFormLayout;
class QLabel;

namespace zarva {
class FormulaPlan;
class SettingsSection;
}

namespace zarva::gui {

class CZarvaDoc;

// A page of the quick-analysis sheet: channel choices over the record, each showing the
// chosen channel's first harmonic at cursor 1, and the computed channels they make.
class CQAnPropPg : public QWidget {
    Q_OBJECT
public:
    CQAnPropPg(CZarvaDoc& document, QWidget* parent);

    // Keeps the page's choices in the record's settings and puts its formulas into the plan.
    // Raises CZarvaException (191) for a channel not chosen.
    virtual void Plan(FormulaPlan& plan) = 0;
    // False for a page that changes the computed channels by itself.
    virtual bool MakesChannels() const { return true; }
    // After the planned channels were added to the record.
    virtual void Calculated() {}
    // Channel names come and go: the choices are filled again, keeping what they hold.
    virtual void RecordChanged();
    void ShowValuesAt(std::int64_t sample);

protected:
    // A choice of channel bound to `chosen`, which ReadChoices sets.
    QComboBox* AddChoice(QFormLayout& form, const QString& label, std::string& chosen);
    // Three choices labelled by the quantity and the phase ("Ia", "Ib", "Ic").
    std::array<QComboBox*, 3> AddPhases(QFormLayout& form, const char* quantity, std::string& a, std::string& b,
                                        std::string& c);
    void ReadChoices();
    SettingsSection& Section(const char* name) const;
    CZarvaDoc& document_;

private:
    void FillChoice(QComboBox& choice, const QString& chosen) const;
    struct Choice {
        QComboBox* combo;
        QLabel* value;
        std::string* chosen;
    };
    std::vector<Choice> choices_;
    std::int64_t sample_ = -1;
};

} // namespace zarva::gui
