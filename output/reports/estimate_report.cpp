#include "output/reports/estimate_report.h"

#include "data/globals.h"
#include "data/thread_data.h"
#include "output/reports/estimate_lines.h"
#include "platform/ui/report/measurer.h"
#include "platform/ui/report/report_engine.h"
#include "platform/ui/report/report_process.h"

namespace estimate_report {

using namespace ui::report;

struct FormRun::Parts {
    Parts(const FormSpec& form, const ReportValues& values, std::int32_t estimate)
        : layout(form.layout(values)), engine(layout, measurer), lines(estimate)
    {
    }
    ReportLayout layout;
    FontMeasurer measurer;
    ReportEngine engine;
    EstimateLines lines;
};

FormRun::FormRun(const FormSpec& form, std::int32_t estimate)
    : estimate_(estimate), mode_(form.mode), parts_(std::make_unique<Parts>(form, values_, estimate))
{
    lastSection_ = parts_->lines.lastSection();
}

FormRun::~FormRun() = default;

bool FormRun::open() { return CalcSmetaTotals(mode_, estimate_, values_.totals); }

Step FormRun::step()
{
    if (!parts_->lines.next()) return parts_->lines.failed() ? Step::Failed : Step::Done;
    // every line read is counted, so a line without act keeps its number free
    ++values_.lineCounter;
    const WrksInSmtRecord& line = NSB();
    if (mode_ == TotalsMode::Act) {
        if (line.ONAKT.value().isZero()) return Step::More;
        values_.quantity = line.ONAKT.value();
        values_.amounts = actAmounts(line);
    } else {
        values_.quantity = line.CHELCH.value();
        values_.amounts = storedAmounts(line);
    }
    parts_->engine.printLine();
    return Step::More;
}

const PageModel& FormRun::finish()
{
    parts_->engine.finish();
    return parts_->engine.pages();
}

void runForm(const FormSpec& form)
{
    // set-up: the name to the error reporter, the request taken
    ThreadState& thread = ThreadState::current();
    const QString previousName = thread.procedureName;
    thread.procedureName = form.procedureName;
    ProcRequest() = 0;
    ProcResponse() = 0;
    Relate(FileId::WrksInSmt).Open();

    FormRun run(form, NumSmeta);
    ProcessOptions options;
    options.procedureName = form.procedureName;
    options.progressText = form.progressText;
    options.keyValue = [] { return double(NSB().GRINSMETA); };  // the section of the line taken
    options.keyHigh = run.lastSection();
    // the report opens with the totals, so every band printed afterwards sees them finished
    const ProcessResult result = runProcess(options, [&run] { return run.open(); }, [&run] { return run.step(); });
    if (result == ProcessResult::Completed) {
        const PageModel& pages = run.finish();
        if (!pages.pages.empty()) showPreview(pages, form.preview);
    }
    ProcResponse() = result == ProcessResult::Completed ? 1 : 2;

    // tear-down
    Relate(FileId::WrksInSmt).Close();
    thread.procedureName = previousName;
}

void append(Controls& to, const Controls& controls) { to.insert(to.end(), controls.begin(), controls.end()); }

Controls columnNumberRow(int x, int y, int width, int height, const std::vector<int>& dividers)
{
    Controls out{box(x, y, width, height, dividers)};
    std::vector<int> edges{x};
    edges.insert(edges.end(), dividers.begin(), dividers.end());
    edges.push_back(x + width);
    for (std::size_t i = 0; i + 1 < edges.size(); ++i) {
        Control number = label(edges[i], y + 20, QString::number(i + 1));
        number.width = edges[i + 1] - edges[i];
        number.align = Align::Center;
        out.push_back(number);
    }
    return out;
}

Control heading(int left, int right, int y, const QString& s)
{
    Control c = text(left + 10, y, right - left - 20, [s] { return s; });
    c.align = Align::Center;
    return c;
}

Band sectionHeader(const QString& namePicture, int nameWidth)
{
    Control name = field(1104, 21, namePicture, [] { return GRO().NAME.toQString(); }, font(9, true));
    name.width = nameWidth;
    return Band{188,
                {label(198, 21, QStringLiteral("Раздел №")),
                 field(802, 21, QStringLiteral("n_3"), [] { return Decimal(int(GRO().NUMINSMETA)); }), name},
                {}};
}

FixedBand pageFooter(int x, int y, int width, int numberX, int numberY)
{
    return FixedBand{x, y, width,
                     Band{219,
                          {pageNumber(numberX, numberY, QStringLiteral("pСтр <<<#p")),
                           label(0, 170, QStringLiteral("Отпечатано программой «Толвекс Смета»"), font(3))},
                          {}}};
}

Controls approval(const QString& title, int titleX, int titleY, int lineX, int lineY, int dateX, int dateY)
{
    // the day and the month are written in by hand
    const QString dateLine = QStringLiteral("\"____\"") + QString(23, u'_');
    return {label(titleX, titleY, title, font(10, true)), rule(lineX, lineY, 1781), label(dateX, dateY, dateLine)};
}

Band headingsBand(Controls headings, int height)
{
    for (Control& c : headings) c.y -= kHeadingsTop;
    return Band{height - kHeadingsTop, std::move(headings), {}};
}

Controls stacked(Controls texts, int below)
{
    constexpr int kGapAboveHeadings = 31;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (texts[i].height > 0) continue;
        const int next = i + 1 < texts.size() ? texts[i + 1].y : below - kGapAboveHeadings;
        texts[i].height = next - texts[i].y;
    }
    return texts;
}

Control endingAt(Control number, int columnRight)
{
    constexpr int kInsetFromDivider = 42;
    number.width = columnRight - kInsetFromDivider - number.x;
    return number;
}

Band lineBand(const std::vector<LineColumn>& columns)
{
    Band band{188, {}, {}};
    for (const LineColumn& c : columns) {
        if (c.number)
            band.controls.push_back(endingAt(field(c.x, 0, QString::fromLatin1(c.picture), c.number), c.x + c.width));
        else
            band.controls.push_back(text(c.x, 0, c.width, c.text));
    }
    return band;
}

Group estimateGroup(std::vector<Band> headers, Band footer)
{
    return Group{[] { return std::int64_t(NSB().CODER); }, std::move(headers), {std::move(footer)}};
}

Group sectionGroup(Band header, Band footer)
{
    return Group{[] { return std::int64_t(NSB().GRINSMETA); }, {std::move(header)}, {std::move(footer)}};
}

}  // namespace estimate_report
