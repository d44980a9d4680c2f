#include "gui/app/AboutBox.h"

#include "gui/app/Icons.h"
#include "gui/app/Texts.h"

#include <QMessageBox>

namespace zarva::gui {
namespace {

constexpr int kAboutTitle = 4640;
constexpr int kAboutText = 4641;

} // namespace

void ShowAboutBox(QWidget* parent)
{
    QMessageBox box(parent);
    box.setWindowTitle(Tr(kAboutTitle, Tr(text::kAppName)));
    box.setIconPixmap(ApplicationIcon().pixmap(64, 64));
    box.setText(QStringLiteral("<b>%1</b>").arg(Tr(text::kAppName)));
    box.setInformativeText(Tr(kAboutText, QStringLiteral(ZARVA_VERSION)));
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

} // namespace zarva::gui
