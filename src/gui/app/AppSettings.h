#pragma once

#include <QString>

#include <memory>

class QSettings;

namespace zarva::gui {

// "Print Parameters": margins (hundredths of a millimetre) and orientation (1 portrait,
// 2 landscape) applied to the printer settings.
struct PrintParameters {
    int leftMargin = 2000;
    int rightMargin = 2000;
    int topMargin = 2000;
    int bottomMargin = 2000;
    int pageOrientation = 1;
};

// "Settings Parameters".
struct ProgramParameters {
    QString dstFolder;
    bool utcFor2013 = true;
    QString language;  // "ru" or "en"; empty: Russian
    QString style;     // widget style name; empty: the platform's
    // Memory in MiB that derived series (RMS, first harmonic, phasors) may keep for reuse;
    // by default a quarter of the machine's.
    int seriesMemoryMb = DefaultSeriesMemoryMb();

    static int DefaultSeriesMemoryMb();
    // Hands the budget to the series of every record.
    void ApplySeriesMemory() const;
};

// The per-user settings of the program. Read when the application starts, written when
// they change; a store of null keeps them in memory only (screenshots, tests).
class AppSettings {
public:
    explicit AppSettings(std::unique_ptr<QSettings> store);
    ~AppSettings();
    AppSettings(const AppSettings&) = delete;
    AppSettings& operator=(const AppSettings&) = delete;

    void Save();
    QSettings* Store() const { return store_.get(); }

    PrintParameters print;
    ProgramParameters program;

private:
    void Load();

    std::unique_ptr<QSettings> store_;
};

// The user's store under the company text of string 3281 and the application name.
std::unique_ptr<QSettings> OpenUserSettings();

} // namespace zarva::gui
