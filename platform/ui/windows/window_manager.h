#pragma once
// The window manager of every window procedure: set-up, the event loop and tear-down, with
// the operations each window overrides, and the protocol of requests and responses. With a
// primary file it is a form: it primes by request, completes, cancels and deletes as the
// window protocol says.

#include "platform/records/relation_manager.h"
#include "platform/ui/windows/window.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace ui {

using records::Level;

// Requests (ProcRequest) and responses (ProcResponse).
namespace REQUEST {
inline constexpr std::uint8_t None = 0, InsertRecord = 1, ChangeRecord = 2, DeleteRecord = 3, SelectRecord = 4,
                              ViewRecord = 6;
}
namespace RESPONSE {
inline constexpr std::uint8_t None = 0, Completed = 1, Cancelled = 2;
}

class WindowManager;

// Something attached to a window that sees each of its events first (a browse list, the
// toolbar target, an add-on).
class WindowComponent {
public:
    virtual ~WindowComponent() = default;
    // Benign: not taken, go on; Notify: taken, nothing more for this event; Fatal: close.
    virtual Level TakeEvent(const Event&) { return Level::Benign; }
    virtual void Reset(bool /*force*/) {}
    virtual void Update() {}
    virtual void Kill() {}
};

class WindowManager {
public:
    explicit WindowManager(QString procedureName);
    virtual ~WindowManager();
    WindowManager(const WindowManager&) = delete;
    WindowManager& operator=(const WindowManager&) = delete;

    // Runs the procedure on the calling thread and leaves its answer in ProcResponse.
    void Run();

    // --- the operations each window overrides (each calls the base where its order says so)
    virtual Level Init();
    virtual Level Kill();
    virtual Level TakeEvent();
    virtual Level TakeAccepted();
    virtual Level TakeNewSelection();
    virtual Level TakeSelected();
    virtual Level TakeFieldEvent();
    virtual Level TakeWindowEvent();
    virtual Level TakeCloseEvent();
    virtual Level TakeCompleted();
    // The form's own priming of its fields for an insert.
    virtual Level PrimeFields() { return Level::Benign; }
    // The form's record written back, and deleted (asking first when `ask`), through the
    // primary file's relations; a form whose record takes others with it overrides them.
    virtual Level WriteBack() { return PRIMARY->Update(); }
    virtual Level DeletePrimary(bool ask) { return PRIMARY->Delete(ask); }
    // Controls -> variables; variables -> controls.
    virtual void Update();
    virtual void Reset(bool force = false);
    // The numbered call through which a window opens the forms of its lists and the lookups of
    // its entries: ProcRequest := request, the procedure of that number, its ProcResponse.
    std::uint8_t RunProcedure(int number, std::uint8_t request);
    // The procedure a number selects (a window with forms or lookups overrides it).
    virtual void CallProcedure(int /*number*/) {}

    // --- the current event
    int EVENT() const { return event_.event; }
    int FIELD() const { return event_.field; }
    int KEYCODE() const { return event_.keyCode; }

    // --- building blocks of the set-up and tear-down steps
    // REQUEST := ProcRequest; ORIGINALREQUEST; the defaults; VCRREQUEST; then ProcRequest and
    // ProcResponse := 0.
    void TakeRequest();
    // Opens the window, then restores its position saved under the procedure's name.
    void Open();
    void RestoreWindow();
    void SaveWindow();
    void AddComponent(WindowComponent* component) { components_.push_back(component); }
    void AddButton(int control, std::uint8_t response) { BUTTONS.emplace_back(control, response); }
    // A list's "Закрыть": cancelled for a lookup (request 4), completed otherwise.
    void AddCloseButton(int control)
    {
        AddButton(control, REQUEST == REQUEST::SelectRecord ? RESPONSE::Cancelled : RESPONSE::Completed);
    }
    // A file whose record buffer the form saves when priming starts and puts back after an
    // insert with INSERTACTION 3.
    void AddFile(records::FileManager& file) { FILES.push_back(&file); }
    // Priming by request (form set-up step 8): false when priming ended the form.
    bool PrimeUpdate();
    // Closing: posts the window's close.
    void PostCompleted() { window->post(EVENT::Completed); }
    void PostClose() { window->post(EVENT::CloseWindow); }
    // The record in the buffer differs from SAVED.
    bool RecordChanged() const;
    // Whether the window opened (its position is saved only then).
    bool Opened() const { return opened_; }

    const QString& procedureName() const { return procedureName_; }

    // --- state kept by the window layer
    std::unique_ptr<Window> window;
    std::uint8_t REQUEST = 0;
    std::uint8_t ORIGINALREQUEST = 0;
    std::uint8_t RESPONSE = 0;
    int OKCONTROL = 0;
    int CANCELCONTROL = 0;
    int FIRSTFIELD = 0;
    records::RelationManager* PRIMARY = nullptr;
    std::uint8_t INSERTACTION = 2;
    std::uint8_t CHANGEACTION = 2;
    std::uint8_t DELETEACTION = 2;
    std::uint8_t CANCELACTION = 3;
    std::vector<std::pair<int, std::uint8_t>> BUTTONS;
    std::vector<records::FileManager*> FILES;
    std::vector<unsigned char> SAVED;
    records::Position LASTINSERTEDPOSITION = 0;
    std::int32_t* VCRREQUEST = nullptr;

protected:
    // The frame's toolbar buttons forwarded to this window (3001..3013); a form takes none.
    virtual Level TakeToolbar(int button);

private:
    void saveFiles();
    void restoreFiles();
    void takeSaved();
    Level completeInsert();
    Level completeChange();
    Level prepareNextInsert();

    QString procedureName_;
    QString previousProcedureName_;
    Event event_;
    bool opened_ = false;
    std::vector<WindowComponent*> components_;
    std::vector<std::vector<unsigned char>> savedFiles_;
};

}  // namespace ui
