#pragma once
// The printer set-up of the window system: the printer, the paper size and the orientation
// the reports print with. Qt's own page set-up dialog hands its choice to the printer only
// from a modal exec(), which no logical thread may run, so the program has this one.

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QPrinter;

namespace ui {

class PrinterSetupDialog : public QDialog {
    Q_OBJECT

public:
    // Shows the choice `printer` holds now.
    PrinterSetupDialog(const QPrinter& printer, QWidget* parent);
    // Gives the printer the choice shown.
    void applyTo(QPrinter& printer) const;

private:
    QComboBox* printers_;
    QComboBox* paperSizes_;
    QButtonGroup* orientation_;
};

}  // namespace ui
