#include "ui/HeadlessBackend.h"

#include "ui/CDialog.h"
#include "ui/DialogDriver.h"
#include "ui/UiConstants.h"

#include <algorithm>

namespace {

// Guards a test against a window that keeps posting to itself forever.
constexpr int kMaxDeliveries = 1000000;

int negativeAnswer(unsigned style) {
    switch (style & MB_TYPEMASK) {
    case MB_OKCANCEL:
    case MB_YESNOCANCEL:
        return IDCANCEL;
    case MB_YESNO:
        return IDNO;
    default:
        return IDOK;
    }
}

bool answerFits(unsigned style, int answer) {
    switch (style & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return answer == IDOK || answer == IDCANCEL;
    case MB_YESNO:
        return answer == IDYES || answer == IDNO;
    case MB_YESNOCANCEL:
        return answer == IDYES || answer == IDNO || answer == IDCANCEL;
    default:
        return answer == IDOK;
    }
}

} // namespace

void HeadlessBackend::expectDialog(int templateId, DialogUser user) {
    m_users[templateId].push_back(std::move(user));
}

void HeadlessBackend::answerMessageBox(int answer) {
    m_answers.push_back(answer);
}

void HeadlessBackend::answerFileDialog(std::optional<std::string> path) {
    m_filePicks.push_back(std::move(path));
}

void HeadlessBackend::setProblemHandler(std::function<void(const std::string&)> handler) {
    m_problemHandler = std::move(handler);
}

size_t HeadlessBackend::pendingDialogs() const {
    size_t count = 0;
    for (const auto& [id, users] : m_users) {
        count += users.size();
    }
    return count;
}

void HeadlessBackend::problem(const std::string& what) {
    m_problems.push_back(what);
    if (m_problemHandler) {
        m_problemHandler(what);
    }
}

void HeadlessBackend::advance(unsigned milliseconds) {
    const uint64_t target = m_nowMs + milliseconds;
    pumpMessages();
    int fired = 0;
    while (fireNextTimerUpTo(target)) {
        pumpMessages();
        if (++fired == kMaxDeliveries) {
            problem("timers keep firing without end");
            break;
        }
    }
    m_nowMs = target;
}

bool HeadlessBackend::fireNextTimerUpTo(uint64_t limitMs) {
    auto next = m_timers.end();
    for (auto it = m_timers.begin(); it != m_timers.end(); ++it) {
        const Timer& timer = it->second;
        if (timer.dueMs > limitMs) {
            continue;
        }
        if (next == m_timers.end() || timer.dueMs < next->second.dueMs ||
            (timer.dueMs == next->second.dueMs && timer.armedOrder < next->second.armedOrder)) {
            next = it;
        }
    }
    if (next == m_timers.end()) {
        return false;
    }
    const auto [window, timerId] = next->first;
    Timer& timer = next->second;
    m_nowMs = timer.dueMs;
    timer.dueMs += timer.intervalMs;
    timer.armedOrder = ++m_armCount;
    window->dispatchMessage(WM_TIMER, timerId, 0);
    return true;
}

void HeadlessBackend::pumpMessages() {
    for (int delivered = 0; !m_posted.empty(); ++delivered) {
        if (delivered == kMaxDeliveries) {
            problem("posted messages keep coming without end");
            m_posted.clear();
            return;
        }
        const PostedMessage posted = m_posted.front();
        m_posted.pop_front();
        posted.window->dispatchMessage(posted.message, posted.wParam, posted.lParam);
    }
}

bool HeadlessBackend::hasTimer(const CWnd& window, uintptr_t timerId) const {
    return m_timers.count({const_cast<CWnd*>(&window), timerId}) != 0;
}

int HeadlessBackend::runModal(CDialog& dialog) {
    auto users = m_users.find(dialog.templateId());
    if (users == m_users.end() || users->second.empty()) {
        problem("dialog " + std::to_string(dialog.templateId()) + " opened without a script");
        return -1;
    }
    DialogUser user = std::move(users->second.front());
    users->second.pop_front();
    if (!dialog.createWindow()) {
        problem("dialog " + std::to_string(dialog.templateId()) + " could not be created");
        return -1;
    }
    if (!dialog.modalEnded()) {
        DialogDriver driver(*this, dialog);
        user(driver);
    }
    if (!dialog.modalEnded()) {
        problem("dialog " + std::to_string(dialog.templateId()) + " left open by its script");
        dialog.EndDialog(IDCANCEL);
    }
    const int result = dialog.modalResult();
    dialog.closeWindow();
    return result;
}

void HeadlessBackend::endModal(CDialog& /*dialog*/, int /*result*/) {
    // The scripted user's actions return to runModal, which sees that the dialog has ended.
}

int HeadlessBackend::messageBox(CWnd* owner, const std::string& text, const std::string& caption,
                                unsigned style) {
    int answer = negativeAnswer(style);
    if (m_answers.empty()) {
        problem("unexpected message box \"" + caption + "\": " + text);
    } else {
        answer = m_answers.front();
        m_answers.pop_front();
        if (!answerFits(style, answer)) {
            problem("answer " + std::to_string(answer) + " does not fit message box \"" + caption +
                    "\"");
            answer = negativeAnswer(style);
        }
    }
    m_boxes.push_back({text, caption, style, owner, answer});
    return answer;
}

int HeadlessBackend::fileDialog(CWnd* /*owner*/, const FileDialogRequest& request,
                                std::string& path) {
    m_fileDialogs.push_back(request);
    if (m_filePicks.empty()) {
        problem("unexpected file dialog \"" + request.title + "\"");
        return IDCANCEL;
    }
    const std::optional<std::string> pick = std::move(m_filePicks.front());
    m_filePicks.pop_front();
    if (!pick) {
        return IDCANCEL;
    }
    path = *pick;
    return IDOK;
}

bool HeadlessBackend::setTimer(CWnd& window, uintptr_t timerId, unsigned elapseMs) {
    // A zero interval would fire forever without time passing.
    const unsigned interval = std::max(elapseMs, 1u);
    m_timers[{&window, timerId}] = Timer{m_nowMs + interval, interval, ++m_armCount};
    return true;
}

bool HeadlessBackend::killTimer(CWnd& window, uintptr_t timerId) {
    return m_timers.erase({&window, timerId}) != 0;
}

bool HeadlessBackend::postMessage(CWnd& window, unsigned message, uintptr_t wParam,
                                  intptr_t lParam) {
    m_posted.push_back({&window, message, wParam, lParam});
    return true;
}

void HeadlessBackend::windowDestroyed(CWnd& window) {
    std::erase_if(m_timers, [&](const auto& entry) { return entry.first.first == &window; });
    std::erase_if(m_posted, [&](const PostedMessage& posted) { return posted.window == &window; });
}
