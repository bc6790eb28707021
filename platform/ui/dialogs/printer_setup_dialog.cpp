#include "platform/ui/dialogs/printer_setup_dialog.h"

#include "platform/core/regional.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace ui {

namespace {

// The paper sizes a desktop printer takes.
const QPageSize::PageSizeId kPaperSizes[] = {QPageSize::A3, QPageSize::A4,     QPageSize::A5,
                                             QPageSize::B5, QPageSize::Letter, QPageSize::Legal};

}  // namespace

PrinterSetupDialog::PrinterSetupDialog(const QPrinter& printer, QWidget* parent)
    : QDialog(parent), printers_(new QComboBox(this)), paperSizes_(new QComboBox(this)),
      orientation_(new QButtonGroup(this))
{
    setWindowTitle(QStringLiteral("Настройка печати"));

    printers_->addItems(QPrinterInfo::availablePrinterNames());
    printers_->setEnabled(printers_->count() > 0);
    printers_->setCurrentText(printer.printerName().isEmpty() ? QPrinterInfo::defaultPrinterName()
                                                              : printer.printerName());

    const QPageLayout layout = printer.pageLayout();
    for (QPageSize::PageSizeId id : kPaperSizes) paperSizes_->addItem(QPageSize::name(id), int(id));
    paperSizes_->setCurrentIndex(std::max(0, paperSizes_->findData(int(layout.pageSize().id()))));

    auto* portrait = new QRadioButton(QStringLiteral("&Книжная"), this);
    auto* landscape = new QRadioButton(QStringLiteral("&Альбомная"), this);
    orientation_->addButton(portrait, QPageLayout::Portrait);
    orientation_->addButton(landscape, QPageLayout::Landscape);
    (layout.orientation() == QPageLayout::Landscape ? landscape : portrait)->setChecked(true);
    auto* orientationRow = new QHBoxLayout;
    orientationRow->addWidget(portrait);
    orientationRow->addWidget(landscape);
    orientationRow->addStretch();

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(regional::buttonCaption(regional::Button::Ok), QDialogButtonBox::AcceptRole);
    buttons->addButton(regional::buttonCaption(regional::Button::Cancel), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("&Принтер:"), printers_);
    form->addRow(QStringLiteral("&Размер бумаги:"), paperSizes_);
    form->addRow(QStringLiteral("Ориентация:"), orientationRow);
    form->addRow(buttons);
}

void PrinterSetupDialog::applyTo(QPrinter& printer) const
{
    if (printers_->count() > 0) printer.setPrinterName(printers_->currentText());
    printer.setPageSize(QPageSize(QPageSize::PageSizeId(paperSizes_->currentData().toInt())));
    printer.setPageOrientation(QPageLayout::Orientation(orientation_->checkedId()));
}

}  // namespace ui
