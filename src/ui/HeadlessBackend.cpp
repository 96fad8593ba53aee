#include "ui/HeadlessBackend.h"

#include "ui/CWnd.h"
#include "ui/DialogDriver.h"
#include "ui/MessageBoxAnswers.h"
#include "ui/UiConstants.h"

#include <algorithm>

namespace {

// Guards a test against a window that keeps posting to itself forever.
constexpr int kMaxDeliveries = 1000000;

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

void HeadlessBackend::createPeer(CWnd& /*window*/) {
    // Nothing to show: scripts read and act on the window's own state.
}

bool HeadlessBackend::runModalLoop(CWnd& window) {
    const int templateId = window.dialogTemplate() != nullptr ? window.dialogTemplate()->id : 0;
    const std::string name = "dialog " + std::to_string(templateId);
    auto users = m_users.find(templateId);
    if (users == m_users.end() || users->second.empty()) {
        problem(name + " opened without a script");
        return false;
    }
    DialogUser user = std::move(users->second.front());
    users->second.pop_front();
    DialogDriver driver(*this, window);
    user(driver);
    if (!window.modalEnded()) {
        problem(name + " left open by its script");
        window.EndModalLoop(IDCANCEL);
    }
    return true;
}

void HeadlessBackend::endModalLoop(CWnd& /*window*/) {
    // The scripted user's actions return to runModalLoop, which sees that the loop has ended.
}

int HeadlessBackend::messageBox(CWnd* owner, const std::string& text, const std::string& caption,
                                unsigned style) {
    int answer = MessageBoxAnswers::escape(style);
    if (m_answers.empty()) {
        problem("unexpected message box \"" + caption + "\": " + text);
    } else {
        answer = m_answers.front();
        m_answers.pop_front();
        if (!MessageBoxAnswers::offers(style, answer)) {
            problem("answer " + std::to_string(answer) + " does not fit message box \"" + caption +
                    "\"");
            answer = MessageBoxAnswers::escape(style);
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

void HeadlessBackend::beginWaitCursor() {
    if (m_paintObserver) {
        m_paintObserver();
    }
    ++m_waitDepth;
}

int HeadlessBackend::runBusyStep(const std::function<int()>& step) {
    ++m_steps;
    if (m_stepObserver) {
        m_stepObserver(m_steps);
    }
    return step();
}

void HeadlessBackend::endWaitCursor() {
    if (m_waitDepth == 0) {
        problem("wait cursor ended more often than it began");
        return;
    }
    --m_waitDepth;
}
