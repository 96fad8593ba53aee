#include "ui/UiBackend.h"

#include "ui/MessageBoxAnswers.h"
#include "ui/UiConstants.h"

namespace {

class NoWindowBackend final : public UiBackend {
public:
    void createPeer(CWnd& /*window*/) override {}
    bool runModalLoop(CWnd& /*window*/) override { return false; }
    void endModalLoop(CWnd& /*window*/) override {}
    int messageBox(CWnd* /*owner*/, const std::string& /*text*/, const std::string& /*caption*/,
                   unsigned style) override {
        return MessageBoxAnswers::escape(style);
    }
    int fileDialog(CWnd* /*owner*/, const FileDialogRequest& /*request*/,
                   std::string& /*path*/) override {
        return IDCANCEL;
    }
    bool setTimer(CWnd& /*window*/, uintptr_t /*timerId*/, unsigned /*elapseMs*/) override {
        return false;
    }
    bool killTimer(CWnd& /*window*/, uintptr_t /*timerId*/) override { return false; }
    bool postMessage(CWnd& /*window*/, unsigned /*message*/, uintptr_t /*wParam*/,
                     intptr_t /*lParam*/) override {
        return false;
    }
    void windowDestroyed(CWnd& /*window*/) override {}
};

NoWindowBackend noWindowBackend;
UiBackend* installed = nullptr;

} // namespace

UiBackend& currentBackend() {
    return installed != nullptr ? *installed : noWindowBackend;
}

ScopedBackend::ScopedBackend(UiBackend& backend) : m_previous(installed) {
    installed = &backend;
}

ScopedBackend::~ScopedBackend() {
    installed = m_previous;
}
