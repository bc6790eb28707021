#include "platform/ui/windows/window_manager.h"

#include "platform/core/message.h"
#include "platform/core/settings_manager.h"
#include "platform/core/thread_state.h"
#include "platform/ui/windows/toolbar_state.h"

namespace ui {

WindowManager::WindowManager(QString procedureName) : procedureName_(std::move(procedureName)) {}

WindowManager::~WindowManager() = default;

void WindowManager::Run()
{
    if (Init() == Level::Benign) {
        for (;;) {
            event_ = window->wait();
            if (TakeEvent() == Level::Fatal) break;
        }
    }
    Kill();
    ProcResponse() = (RESPONSE == RESPONSE::Completed || RESPONSE == RESPONSE::Cancelled) ? RESPONSE
                                                                                          : RESPONSE::Cancelled;
}

// --- set-up and tear-down

Level WindowManager::Init()
{
    ThreadState& t = ThreadState::current();
    previousProcedureName_ = t.procedureName;
    t.procedureName = procedureName_;
    TakeRequest();
    return Level::Benign;
}

void WindowManager::TakeRequest()
{
    REQUEST = ProcRequest();
    ORIGINALREQUEST = REQUEST;
    INSERTACTION = 2;
    CHANGEACTION = 2;
    DELETEACTION = 2;
    CANCELACTION = 3;
    VCRREQUEST = &NavRequest();
    ProcRequest() = 0;
    ProcResponse() = 0;
}

Level WindowManager::Kill()
{
    for (WindowComponent* c : components_) c->Kill();
    // the saved buffer copies are released without being put back
    savedFiles_.clear();
    if (window) window->close();
    ThreadState::current().procedureName = previousProcedureName_;
    return Level::Benign;
}

void WindowManager::Open()
{
    window->open();
    opened_ = true;
}

void WindowManager::RestoreWindow()
{
    SettingsManager* settings = settingsManager();
    WindowPlacement p{};
    if (settings && settings->RestoreWindow(procedureName_, p)) window->setPlacement(p);
}

void WindowManager::SaveWindow()
{
    if (SettingsManager* settings = settingsManager(); settings && opened_)
        settings->SaveWindow(procedureName_, window->placement());
}

// --- events

Level WindowManager::TakeEvent()
{
    for (WindowComponent* c : components_) {
        Level l = c->TakeEvent(event_);
        if (l == Level::Notify) return Level::Benign;
        if (l == Level::Fatal) return Level::Fatal;
    }
    Level l = Level::Benign;
    if (FIELD()) {
        switch (EVENT()) {
        case EVENT::Accepted: l = TakeAccepted(); break;
        case EVENT::NewSelection: l = TakeNewSelection(); break;
        case EVENT::Selected: l = TakeSelected(); break;
        default: break;
        }
        if (l == Level::Benign) l = TakeFieldEvent();
    } else {
        l = TakeWindowEvent();
    }
    return l == Level::Notify ? Level::Benign : l;
}

Level WindowManager::TakeAccepted()
{
    const int f = FIELD();
    if (TOOLBAR::isForwarded(f) && !window->control(f)) return TakeToolbar(f);
    for (const auto& [control, response] : BUTTONS) {
        if (control != f) continue;
        RESPONSE = response;
        if (control == CANCELCONTROL) NavRequest() = 0;
        PostClose();
        return Level::Notify;
    }
    if (OKCONTROL && f == OKCONTROL) {
        PostCompleted();
        return Level::Notify;
    }
    return Level::Benign;
}

Level WindowManager::TakeToolbar(int) { return Level::Benign; }
Level WindowManager::TakeNewSelection() { return Level::Benign; }
Level WindowManager::TakeSelected() { return Level::Benign; }
Level WindowManager::TakeFieldEvent() { return Level::Benign; }

Level WindowManager::TakeWindowEvent()
{
    switch (EVENT()) {
    case EVENT::CloseWindow: return TakeCloseEvent();
    case EVENT::Completed: return TakeCompleted();
    default: return Level::Benign;
    }
}

void WindowManager::Update()
{
    window->updateAll();
    for (WindowComponent* c : components_) c->Update();
}

void WindowManager::Reset(bool force)
{
    window->displayAll();
    for (WindowComponent* c : components_) c->Reset(force);
}

std::uint8_t WindowManager::RunProcedure(int number, std::uint8_t request)
{
    ProcRequest() = request;
    CallProcedure(number);
    return ProcResponse();
}

// --- the form

void WindowManager::saveFiles()
{
    savedFiles_.clear();
    for (records::FileManager* f : FILES) {
        std::vector<unsigned char> copy(f->layout().recordSize);
        f->layout().copy(copy.data(), f->buffer());
        savedFiles_.push_back(std::move(copy));
    }
}

void WindowManager::restoreFiles()
{
    for (std::size_t i = 0; i < FILES.size() && i < savedFiles_.size(); ++i)
        FILES[i]->layout().copy(FILES[i]->buffer(), savedFiles_[i].data());
}

void WindowManager::takeSaved()
{
    if (!PRIMARY) return;
    SAVED.resize(PRIMARY->ME.layout().recordSize);
    PRIMARY->ME.layout().copy(SAVED.data(), PRIMARY->ME.buffer());
}

bool WindowManager::RecordChanged() const
{
    return PRIMARY && SAVED.size() == PRIMARY->ME.layout().recordSize &&
           !PRIMARY->ME.layout().equal(PRIMARY->ME.buffer(), SAVED.data());
}

bool WindowManager::PrimeUpdate()
{
    saveFiles();
    if (REQUEST == REQUEST::InsertRecord && INSERTACTION != 0) {
        RESPONSE = RESPONSE::Completed;
        PrimeFields();
        if (RESPONSE == RESPONSE::Cancelled) return false;
        RESPONSE = RESPONSE::Cancelled;
    } else if (REQUEST == REQUEST::DeleteRecord && (DELETEACTION == 2 || DELETEACTION == 4)) {
        Level l = DeletePrimary(DELETEACTION == 2);
        RESPONSE = l == Level::Benign ? RESPONSE::Completed : RESPONSE::Cancelled;
        return false;
    }
    takeSaved();
    return true;
}

Level WindowManager::TakeCompleted()
{
    Update();
    if (!PRIMARY) {
        RESPONSE = RESPONSE::Completed;
        return Level::Fatal;
    }
    if (REQUEST == REQUEST::InsertRecord) return completeInsert();
    if (REQUEST == REQUEST::ChangeRecord) return completeChange();
    RESPONSE = RESPONSE::Completed;
    return Level::Fatal;
}

Level WindowManager::completeInsert()
{
    if (INSERTACTION == 1) return Level::Notify;
    if (PRIMARY->ME.Insert() != Level::Benign) {
        if (Control* c = window->control(FIRSTFIELD)) c->select();
        return Level::Notify;
    }
    if (INSERTACTION == 4) {
        unsigned answer = Message(QStringLiteral("Эта запись была добавлена к файлу. Желаете добавить еще одну?"),
                                  QStringLiteral("Запись добавлена"), MessageIcon::Question, BUTTON_YES | BUTTON_NO,
                                  BUTTON_YES);
        if (answer != BUTTON_YES) {
            RESPONSE = RESPONSE::Completed;
            return Level::Fatal;
        }
        return prepareNextInsert();
    }
    if (INSERTACTION == 3) return prepareNextInsert();
    RESPONSE = RESPONSE::Completed;
    return Level::Fatal;
}

Level WindowManager::prepareNextInsert()
{
    records::FileManager& file = PRIMARY->ME;
    LASTINSERTEDPOSITION = file.file().position();
    restoreFiles();
    saveFiles();
    file.layout().copy(file.buffer(), SAVED.data());
    if (file.PrimeAutoInc() != Level::Benign) {
        // the window closes; the record stored before is its answer
        RESPONSE = RESPONSE::Completed;
        file.file().fetch(LASTINSERTEDPOSITION);
        return Level::Fatal;
    }
    PrimeFields();
    RESPONSE = RESPONSE::Cancelled;
    takeSaved();
    Reset(true);
    if (Control* c = window->control(FIRSTFIELD)) c->select();
    return Level::Notify;
}

Level WindowManager::completeChange()
{
    if (CHANGEACTION == 1) return Level::Notify;
    if (!RecordChanged()) {
        if (NavRequest() == 0) RESPONSE = RESPONSE::Completed;
        return CHANGEACTION == 2 ? Level::Fatal : Level::Notify;
    }
    for (;;) {
        if (WriteBack() == Level::Benign) {
            RESPONSE = RESPONSE::Completed;
            return CHANGEACTION == 2 ? Level::Fatal : Level::Notify;
        }
        // Only a write-back that met another program's lock may be tried again.
        if (PRIMARY->ME.lastErrorCode() == records::kLocked) {
            unsigned answer = Message(
                QStringLiteral("Возникла ошибка при изменений записи. Желаете попробовать записать еще раз?"),
                QStringLiteral("Ошибка перезаписи"), MessageIcon::Question, BUTTON_YES | BUTTON_NO | BUTTON_CANCEL,
                BUTTON_CANCEL);
            if (answer == BUTTON_YES) continue;
            if (answer == BUTTON_NO) {
                RESPONSE = RESPONSE::Cancelled;
                return Level::Fatal;
            }
        }
        if (Control* c = window->control(FIRSTFIELD)) c->select();
        return Level::Notify;
    }
}

Level WindowManager::TakeCloseEvent()
{
    if (PRIMARY) {
        if (RESPONSE != RESPONSE::Completed &&
            (REQUEST == REQUEST::InsertRecord || REQUEST == REQUEST::ChangeRecord) && (CANCELACTION & 1)) {
            Update();
            if (RecordChanged() && (CANCELACTION & 2)) {
                unsigned answer = Message(QStringLiteral("Вы хотите записать изменения для этой записи?"),
                                          QStringLiteral("Сохранение записи"), MessageIcon::Question,
                                          BUTTON_YES | BUTTON_NO | BUTTON_CANCEL, BUTTON_CANCEL);
                if (answer == BUTTON_YES) return TakeCompleted();
                if (answer == BUTTON_CANCEL) {
                    if (Control* c = window->control(FIRSTFIELD)) c->select();
                    return Level::Notify;
                }
            }
        }
        if (ORIGINALREQUEST == REQUEST::InsertRecord && RESPONSE == RESPONSE::Cancelled &&
            PRIMARY->ME.CancelPrimed() != Level::Benign)
            return Level::Notify;
        if (LASTINSERTEDPOSITION) {
            // an earlier record of this window was stored
            RESPONSE = RESPONSE::Completed;
            PRIMARY->ME.file().fetch(LASTINSERTEDPOSITION);
        }
    }
    return Level::Fatal;
}

}  // namespace ui
