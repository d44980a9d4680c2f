#include "gui/app/DialogButtons.h"

#include "gui/app/Texts.h"

#include <QBoxLayout>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace zarva::gui {

void AddOkCancel(QDialog& dialog, QBoxLayout& layout, int okTextId)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    if (okTextId != 0)
        buttons->button(QDialogButtonBox::Ok)->setText(Tr(okTextId));
    buttons->button(QDialogButtonBox::Cancel)->setText(Tr(text::kCancel));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout.addWidget(buttons);
}

} // namespace zarva::gui
