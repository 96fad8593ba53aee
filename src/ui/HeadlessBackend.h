#pragma once

#include "ui/UiBackend.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

class CWnd;
class DialogDriver;

// The backend for tests: no display, everything in memory; windows get no peer, and scripts
// read and act on their state. A test scripts the user of each modal dialog it expects (by
// template id; loops nest when a script opens another dialog), answers message boxes in advance,
// reads the transcript of every box shown, and moves time on by hand so that window timers fire in
// due order. Anything the script did not expect (a dialog or box without a script, a click on a
// greyed control, a dialog left open) is a problem, reported to the problem handler and kept in
// problems().
class HeadlessBackend final : public UiBackend {
public:
    using DialogUser = std::function<void(DialogDriver&)>;

    struct MessageBoxRecord {
        std::string text;
        std::string caption;
        unsigned style;
        const CWnd* owner; // null for a box without an owner
        int answer;
    };

    // The user of the next run of the dialog with this template id; several runs queue up.
    void expectDialog(int templateId, DialogUser user);
    // The answer to the next message box; several answers queue up.
    void answerMessageBox(int answer);

    // The path the user picks in the next file dialog; nullopt cancels it.
    void answerFileDialog(std::optional<std::string> path);
    const std::vector<FileDialogRequest>& fileDialogs() const { return m_fileDialogs; }

    const std::vector<MessageBoxRecord>& messageBoxes() const { return m_boxes; }
    const std::vector<std::string>& problems() const { return m_problems; }
    void setProblemHandler(std::function<void(const std::string&)> handler);
    // Dialogs whose script has not run yet, and answers not given yet.
    size_t pendingDialogs() const;
    size_t pendingAnswers() const { return m_answers.size(); }

    // Moves the manual clock on, firing due timers in time order (and, for equal times, in
    // the order they were armed), and delivering posted messages before every timer.
    void advance(unsigned milliseconds);
    // Delivers every posted message, including those posted meanwhile.
    void pumpMessages();
    uint64_t nowMs() const { return m_nowMs; }
    bool hasTimer(const CWnd& window, uintptr_t timerId) const;

    void createPeer(CWnd& window) override;
    bool runModalLoop(CWnd& window) override;
    void endModalLoop(CWnd& window) override;
    int messageBox(CWnd* owner, const std::string& text, const std::string& caption,
                   unsigned style) override;
    int fileDialog(CWnd* owner, const FileDialogRequest& request, std::string& path) override;
    bool setTimer(CWnd& window, uintptr_t timerId, unsigned elapseMs) override;
    bool killTimer(CWnd& window, uintptr_t timerId) override;
    bool postMessage(CWnd& window, unsigned message, uintptr_t wParam, intptr_t lParam) override;
    void windowDestroyed(CWnd& window) override;
    void beginWaitCursor() override;
    void endWaitCursor() override;
    // Runs the step at once, after telling the step observer.
    int runBusyStep(const std::function<int()>& step) override;
    void setClipboardText(const std::string& text) override { m_clipboard = text; }
    const std::string& clipboardText() const { return m_clipboard; }

    bool waitCursorShown() const { return m_waitDepth > 0; }
    // Called where a desktop backend paints the windows (a test looks at what they show then).
    void setPaintObserver(std::function<void()> observer) { m_paintObserver = std::move(observer); }
    // Called with the number of each busy step (from 1) before it runs: what a test does there,
    // the user did while the step worked.
    void setStepObserver(std::function<void(int step)> observer) {
        m_stepObserver = std::move(observer);
        m_steps = 0;
    }

    void problem(const std::string& what);

private:
    struct Timer {
        uint64_t dueMs;
        unsigned intervalMs;
        uint64_t armedOrder;
    };
    struct PostedMessage {
        CWnd* window;
        unsigned message;
        uintptr_t wParam;
        intptr_t lParam;
    };
    using TimerKey = std::pair<CWnd*, uintptr_t>;

    bool fireNextTimerUpTo(uint64_t limitMs);

    std::map<int, std::deque<DialogUser>> m_users;
    std::deque<int> m_answers;
    std::vector<MessageBoxRecord> m_boxes;
    std::deque<std::optional<std::string>> m_filePicks;
    std::vector<FileDialogRequest> m_fileDialogs;
    std::vector<std::string> m_problems;
    std::function<void(const std::string&)> m_problemHandler;
    std::map<TimerKey, Timer> m_timers;
    std::deque<PostedMessage> m_posted;
    uint64_t m_nowMs = 0;
    uint64_t m_armCount = 0;
    int m_waitDepth = 0;
    std::function<void()> m_paintObserver;
    std::function<void(int)> m_stepObserver;
    int m_steps = 0;
    std::string m_clipboard;
};
