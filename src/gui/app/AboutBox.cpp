#include "gui/app/AboutBox.h"

#include "gui/app/Icons.h"
#include "gui/app/Texts.h"

#include "core/model/Libraries.h"

#include <QMessageBox>

namespace zarva::gui {
namespace {

constexpr int kAboutTitle = 4640;
constexpr int kAboutText = 4641;
constexpr int kLibrariesUsed = 4766;

QString LibraryLine(const QString& name, const QString& version, const QString& licence)
{
    return QStringLiteral("%1 %2 — %3").arg(name, version, licence);
}

} // namespace

QString AboutText()
{
    QStringList lines{Tr(kAboutText, QStringLiteral(ZARVA_VERSION)), QString(), Tr(kLibrariesUsed),
                      LibraryLine(QStringLiteral("Qt"), QString::fromLatin1(qVersion()), QStringLiteral("GNU LGPL 3"))};
    for (const LibraryNotice& library : CoreLibraries()) {
        lines.append(LibraryLine(QString::fromStdString(library.name), QString::fromStdString(library.version),
                                 QString::fromStdString(library.licence)));
    }
    return lines.join(QLatin1Char('\n'));
}

void ShowAboutBox(QWidget* parent)
{
    QMessageBox box(parent);
    box.setWindowTitle(Tr(kAboutTitle, Tr(text::kAppName)));
    box.setIconPixmap(ApplicationIcon().pixmap(64, 64));
    box.setText(QStringLiteral("<b>%1</b>").arg(Tr(text::kAppName)));
    box.setInformativeText(AboutText());
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

} // namespace zarva::gui
