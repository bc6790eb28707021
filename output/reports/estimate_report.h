#pragma once
// What the printed forms of the estimate and of its act share: the run (set-up, the totals
// chain when the report opens, the lines of the estimate through the progress window, the
// preview, tear-down) and the pieces their layouts are built from.

#include "output/line_amounts.h"
#include "output/totals/calc_smeta_totals.h"
#include "platform/ui/report/page_model.h"
#include "platform/ui/report/report_layout.h"
#include "platform/ui/report/report_preview.h"
#include "platform/ui/report/report_process.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace estimate_report {

// The report's own values the layout shows beside the thread's record buffers.
struct ReportValues {
    long lineCounter = 0;
    SmetaTotals totals;
    // the line's quantity and amounts: the estimate's, or the act's
    Decimal quantity;
    LineAmounts amounts;
};

struct FormSpec {
    QString procedureName;  // "PrintSmeta"
    QString progressText;   // "Печатаем Акт"
    std::function<ui::report::ReportLayout(const ReportValues&)> layout;
    // The act prints the lines that have an act quantity, with the act's amounts.
    TotalsMode mode = TotalsMode::Estimate;
    ui::report::PreviewOptions preview{ui::report::PreviewOptions::WholePage, false};
};

// Runs the form on the calling thread for the estimate `NumSmeta` holds now; ProcResponse 1,
// or 2 when cancelled or failed.
void runForm(const FormSpec& form);

// The work of one run without its windows: the totals when the report opens, then one line
// per step, then the pages. The files are opened by the caller.
class FormRun {
public:
    FormRun(const FormSpec& form, std::int32_t estimate);
    ~FormRun();
    bool open();
    ui::report::Step step();
    const ui::report::PageModel& finish();
    // The highest section number of the estimate's lines: the progress bar's end.
    double lastSection() const { return lastSection_; }

private:
    struct Parts;
    std::int32_t estimate_;
    TotalsMode mode_;
    ReportValues values_;
    std::unique_ptr<Parts> parts_;
    double lastSection_ = 0;
};

// --- pieces of the layouts
using ui::report::Control;
using Controls = std::vector<Control>;

// Where the column headings of every form start in its title band.
constexpr int kHeadingsTop = 698;
// The column headings, placed as in the title band of `height`, as a band of their own under
// the title, so that they move as one when the title grows.
ui::report::Band headingsBand(Controls headings, int height);

// Adds the controls at the end of the band, or of a band's part.
void append(Controls& to, const Controls& controls);
inline void append(ui::report::Band& band, const Controls& controls) { append(band.controls, controls); }
// A box split by vertical lines, its cells numbered from 1.
Controls columnNumberRow(int x, int y, int width, int height, const std::vector<int>& dividers);
// A heading centred between two x positions, wrapping within them.
Control heading(int left, int right, int y, const QString& text);
// "Раздел №", the section's number and its name through its picture.
ui::report::Band sectionHeader(const QString& namePicture, int nameWidth);
// The page number and the product credit line.
ui::report::FixedBand pageFooter(int x, int y, int width, int numberX, int numberY);
// "У Т В Е Р Ж Д А Ю" (or another title) with its signature line and date line.
Controls approval(const QString& title, int titleX, int titleY, int lineX, int lineY, int dateX, int dateY);

// Texts that stand one under the other in a title block. Each is declared as high as the form's
// space for it (down to the next one's top, the last down to a little above `below`, where the
// headings start) unless it has a height of its own, so each line it needs beyond that space
// moves what stands under it.
Controls stacked(Controls texts, int below);
// A number right-aligned a little inside its column's right edge, so that sums stand under the
// values they total and a number never runs into the next column.
Control endingAt(Control number, int columnRight);

// One column of the line band: a number through its picture, or a text of its width.
struct LineColumn {
    int x;
    std::function<Decimal()> number;
    const char* picture;
    std::function<QString()> text;
    int width;  // a text's width; a number's column ends at x + width
};
ui::report::Band lineBand(const std::vector<LineColumn>& columns);

// The estimate group (on `NSB:CODER`) and the section group (on `NSB:GRINSMETA`).
ui::report::Group estimateGroup(std::vector<ui::report::Band> headers, ui::report::Band footer);
ui::report::Group sectionGroup(ui::report::Band header, ui::report::Band footer);

}  // namespace estimate_report
