#include "catalogue/import/imprt_raszenok.h"

#include "catalogue/import/csv_reader.h"
#include "catalogue/import/enter_picture.h"
#include "catalogue/import/import_mapping.h"
#include "catalogue/import/import_run.h"
#include "data/thread_data.h"
#include "platform/core/message.h"
#include "platform/ui/addons/mouse_wheel.h"
#include "platform/ui/windows/help.h"
#include "platform/ui/windows/window_manager.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

using records::Level;

enum Control {
    ImportFieldsList = 1,
    TargetFieldsList,
    NextButton,
    RecordNumberPrompt,
    RecordNumber,
    PictureButton,
    AssignButton,
    AutoAssignButton,
    UnassignButton,
    StripHeaderRecord,
    OkButton,
    CancelButton,
    HelpButton
};

class ImportWizard : public ui::WindowManager {
public:
    ImportWizard() : WindowManager(QStringLiteral("ImprtRaszenok")) {}

    Level Init() override
    {
        WindowManager::Init();
        Relate(FileId::Raszenki).Open();
        opened_ = true;
        if (ChooseImportFile() == 0) return Level::Fatal;
        targets_ = RateTargetFields();
        switch (BuildSourceFields(sources_)) {
        case QueueBuild::Built: break;
        case QueueBuild::ReadError: ReportImportReadError(); return Level::Fatal;
        case QueueBuild::NoFields: return Level::Fatal;
        }
        recordNumber_ = 1;
        build();
        Open();
        wheel_.Attach(*window);
        RestoreWindow();
        showSources();
        showTargets();
        showRecordNumber();
        return Level::Benign;
    }

    Level TakeAccepted() override
    {
        fetchSelections();
        switch (FIELD()) {
        case NextButton: nextRecord(); return Level::Notify;
        case PictureButton: enterPicture(); return Level::Notify;
        case AssignButton: assign(); return Level::Notify;
        case AutoAssignButton: autoAssign(); return Level::Notify;
        case UnassignButton: unassign(); return Level::Notify;
        case StripHeaderRecord: stripHeader_ = check(StripHeaderRecord)->isChecked(); return Level::Notify;
        case OkButton: return startImport();
        case HelpButton: ui::showHelpTopic(QStringLiteral("import")); return Level::Notify;
        case CancelButton:
            RESPONSE = ui::RESPONSE::Cancelled;
            PostClose();
            return Level::Notify;
        }
        return WindowManager::TakeAccepted();
    }

    Level TakeNewSelection() override
    {
        fetchSelections();
        if (FIELD() == ImportFieldsList && source_ > 0) {
            // the first target fed by this field
            const QString& field = sources_[std::size_t(source_ - 1)].FIELD;
            for (std::size_t i = 0; i < targets_.size(); ++i)
                if (targets_[i].SOURCEFIELD == field) {
                    selectRow(TargetFieldsList, int(i));
                    break;
                }
        } else if (FIELD() == TargetFieldsList && target_ > 0) {
            const QString& field = targets_[std::size_t(target_ - 1)].SOURCEFIELD;
            for (std::size_t i = 0; i < sources_.size() && !field.isEmpty(); ++i)
                if (sources_[i].FIELD == field) {
                    selectRow(ImportFieldsList, int(i));
                    break;
                }
        }
        return Level::Benign;
    }

    Level Kill() override
    {
        CloseImportFile();
        if (opened_) Relate(FileId::Raszenki).Close();
        wheel_.Detach();
        SaveWindow();
        sources_.clear();
        targets_.clear();
        return WindowManager::Kill();
    }

private:
    void build()
    {
        window = std::make_unique<ui::Window>(ui::WindowKind::Dialog, QStringLiteral("Выберите поля для импорта..."),
                                              328, 152);
        window->setWallpaper(QStringLiteral(":/images/wizbck02.png"));
        auto* layout = new QVBoxLayout(window->content());
        // margins and spacing of the dialog's own units, so the lists keep the room it has
        layout->setContentsMargins(window->duX(4), window->duY(4), window->duX(4), window->duY(4));
        layout->setSpacing(window->duY(3));
        auto* lists = new QHBoxLayout;
        lists->setSpacing(window->duX(4));
        const struct {
            const char* name;
            int number;
            const char* headings[3];
        } listSpecs[] = {
            {"?IMPORTFIELDSLIST", ImportFieldsList, {"Импорт. поле", "Вид", "Значение"}},
            {"?TARGETFIELDSLIST", TargetFieldsList, {"Поле в справочнике", "=", "Импортируемое поле"}},
        };
        for (const auto& spec : listSpecs) {
            auto* table = new QTableWidget(0, 3);
            QStringList headings;
            for (const char* h : spec.headings) headings << QString::fromUtf8(h);
            table->setHorizontalHeaderLabels(headings);
            table->verticalHeader()->hide();
            // one line of text a row, values cut rather than wrapped
            table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
            table->verticalHeader()->setMinimumSectionSize(1);
            table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
            table->setWordWrap(false);
            table->setEditTriggers(QAbstractItemView::NoEditTriggers);
            table->setSelectionBehavior(QAbstractItemView::SelectRows);
            table->setSelectionMode(QAbstractItemView::SingleSelection);
            table->setTabKeyNavigation(false);  // Tab goes on to the next control
            table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
            // the names and their headings whole; the last column takes what is left
            QHeaderView* header = table->horizontalHeader();
            header->setSectionResizeMode(QHeaderView::ResizeToContents);
            header->setSectionResizeMode(table->columnCount() - 1, QHeaderView::Stretch);
            window->add(ui::CREATE::List, QString::fromLatin1(spec.name), table, spec.number);
            ui::Window* w = window.get();
            const int number = spec.number;
            QObject::connect(table, &QTableWidget::currentCellChanged, w,
                             [w, number](int row, int, int previous, int) {
                                 if (row != previous) w->post(EVENT::NewSelection, number);
                             });
            // the targets as wide as their headings; the values take the rest
            if (number == TargetFieldsList) {
                int width = 2 * table->frameWidth() + table->verticalScrollBar()->sizeHint().width();
                for (int c = 0; c < table->columnCount(); ++c) width += header->sectionSizeHint(c);
                table->setFixedWidth(width);
            }
            lists->addWidget(table, number == TargetFieldsList ? 0 : 1);
        }
        layout->addLayout(lists, 1);

        auto button = [&](const char* name, const char* caption, int number) {
            auto* b = new QPushButton(QString::fromUtf8(caption));
            window->add(ui::CREATE::Button, QString::fromLatin1(name), b, number);
            return b;
        };
        auto* row = new QHBoxLayout;
        row->addWidget(button("?NEXTBUTTON", "&След.", NextButton));
        auto* prompt = new QLabel(QStringLiteral("Зап№"));
        window->add(ui::CREATE::Prompt, QStringLiteral("?RECORDNUMBER:PROMPT"), prompt, RecordNumberPrompt);
        row->addWidget(prompt);
        auto* number = new QLabel;
        window->add(ui::CREATE::String, QStringLiteral("?RECORDNUMBER"), number, RecordNumber);
        row->addWidget(number);
        row->addWidget(button("?PICTUREBUTTON", "&Вид", PictureButton));
        row->addStretch();
        row->addWidget(button("?ASSIGNBUTTON", "&Присв.", AssignButton));
        row->addWidget(button("?AUTOASSIGNBUTTON", "&Авто", AutoAssignButton));
        row->addWidget(button("?UNASSIGNBUTTON", "&Не присв.", UnassignButton));
        layout->addLayout(row);

        auto* bottom = new QHBoxLayout;
        auto* strip = new QCheckBox(QStringLiteral("Strip &header record (field names)"));
        window->add(ui::CREATE::Check, QStringLiteral("?STRIPHEADERRECORD"), strip, StripHeaderRecord);
        bottom->addWidget(strip);
        bottom->addStretch();
        bottom->addWidget(button("?OKBUTTON", "&OK", OkButton));
        bottom->addWidget(button("?CANCELBUTTON", "О&тмена", CancelButton));
        bottom->addWidget(button("?HELPBUTTON", "Помощь", HelpButton));
        layout->addLayout(bottom);
    }

    QTableWidget* table(int control) const { return static_cast<QTableWidget*>(window->control(control)->widget()); }
    QCheckBox* check(int control) const { return static_cast<QCheckBox*>(window->control(control)->widget()); }

    // `centred`: the column shown centred ("=" of the targets), -1 for none
    static void fill(QTableWidget& t, int row, const QStringList& cells, int centred = -1)
    {
        for (int c = 0; c < cells.size(); ++c) {
            QTableWidgetItem* item = t.item(row, c);
            if (!item) {
                item = new QTableWidgetItem;
                if (c == centred) item->setTextAlignment(Qt::AlignCenter);
                t.setItem(row, c, item);
            }
            item->setText(cells[c]);
        }
    }

    void showSources()
    {
        QTableWidget& t = *table(ImportFieldsList);
        const QSignalBlocker blocker(t);
        t.setRowCount(int(sources_.size()));
        for (std::size_t i = 0; i < sources_.size(); ++i)
            fill(t, int(i), {sources_[i].FIELD, sources_[i].DISPLAYPICTURE, sources_[i].VALUE});
        if (t.currentRow() < 0 && t.rowCount() > 0) t.setCurrentCell(0, 0);
    }

    void showTargets()
    {
        QTableWidget& t = *table(TargetFieldsList);
        const QSignalBlocker blocker(t);
        t.setRowCount(int(targets_.size()));
        for (std::size_t i = 0; i < targets_.size(); ++i)
            fill(t, int(i), {targets_[i].FIELD, targets_[i].EQUALS, targets_[i].SOURCEFIELD}, 1);
        if (t.currentRow() < 0) t.setCurrentCell(0, 0);
    }

    void showRecordNumber() { window->control(RecordNumber)->setText(QString::number(recordNumber_).left(4)); }

    void selectRow(int list, int row)
    {
        QTableWidget& t = *table(list);
        const QSignalBlocker blocker(t);
        t.setCurrentCell(row, 0);
        fetchSelections();
    }

    // Before each button: the selected row of each list.
    void fetchSelections()
    {
        source_ = table(ImportFieldsList)->currentRow() + 1;
        target_ = table(TargetFieldsList)->currentRow() + 1;
    }

    void focus(int list) { window->control(list)->select(); }

    void nextRecord()
    {
        std::uint64_t bytes = 0;
        const CsvRead r = ReadNextCsvRecord(bytes);
        if (r != CsvRead::Line) {
            if (r == CsvRead::Error) ReportImportReadError();
            window->control(NextButton)->disable();
            return;
        }
        ++recordNumber_;
        ShowRecordValues(sources_);
        window->control(AutoAssignButton)->disable();
        showRecordNumber();
        showSources();
        focus(ImportFieldsList);
    }

    void enterPicture()
    {
        if (source_ > 0) {
            SourceField& s = sources_[std::size_t(source_ - 1)];
            const QString picture = EnterPicture(s.PICTURE);
            if (!picture.trimmed().isEmpty()) {
                s.PICTURE = picture.trimmed();
                s.DISPLAYPICTURE = DisplayPictureOf(s.PICTURE);
                showSources();
            }
        }
        focus(ImportFieldsList);
    }

    void assignTo(TargetField& target, const SourceField& source)
    {
        target.EQUALS = QStringLiteral("=");
        target.SOURCEFIELD = source.FIELD;
    }

    void assign()
    {
        if (target_ > 0 && source_ > 0) {
            assignTo(targets_[std::size_t(target_ - 1)], sources_[std::size_t(source_ - 1)]);
            showTargets();
        }
        focus(TargetFieldsList);
    }

    void autoAssign()
    {
        for (TargetField& target : targets_) {
            if (!target.SOURCEFIELD.isEmpty()) continue;
            for (const SourceField& source : sources_) {
                QString value = source.VALUE;
                while (value.endsWith(u' ')) value.chop(1);
                if (value == target.FIELD) {
                    assignTo(target, source);
                    break;
                }
            }
        }
        showTargets();
        stripHeader_ = true;
        check(StripHeaderRecord)->setChecked(true);
    }

    void unassign()
    {
        if (target_ > 0) {
            TargetField& target = targets_[std::size_t(target_ - 1)];
            target.EQUALS.clear();
            target.SOURCEFIELD.clear();
            showTargets();
        }
        focus(TargetFieldsList);
    }

    Level startImport()
    {
        const bool anyAssigned =
            std::any_of(targets_.begin(), targets_.end(), [](const TargetField& t) { return !t.SOURCEFIELD.isEmpty(); });
        if (!anyAssigned) {
            Message(QStringLiteral("You must select one or more fields to import."),
                    QStringLiteral("No Fields Selected for Import!"), MessageIcon::Information);
            focus(ImportFieldsList);
            return Level::Notify;
        }
        RunRateImport(sources_, targets_, stripHeader_);
        RESPONSE = ui::RESPONSE::Completed;
        PostClose();
        return Level::Notify;
    }

    std::vector<SourceField> sources_;
    std::vector<TargetField> targets_;
    int recordNumber_ = 0;
    bool stripHeader_ = false;
    int source_ = 0;
    int target_ = 0;
    ui::vsMouseWheelClass wheel_;
    bool opened_ = false;
};

}  // namespace

void ImprtRaszenok()
{
    ImportWizard wizard;
    wizard.Run();
}
