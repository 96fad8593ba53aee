#include "ui/CSingleDocTemplate.h"

#include "res/Resources.h"
#include "ui/CDocument.h"
#include "ui/FileDialog.h"
#include "ui/MessageBox.h"
#include "ui/RecentFileList.h"
#include "ui/UiConstants.h"

namespace {

constexpr const char* kUntitled = "Untitled";

} // namespace

CSingleDocTemplate::CSingleDocTemplate(int resourceId, CDocument& document)
    : m_resourceId(resourceId), m_document(document) {
    m_document.setDocTemplate(this);
}

CSingleDocTemplate::~CSingleDocTemplate() {
    if (m_document.GetDocTemplate() == this) {
        m_document.setDocTemplate(nullptr);
    }
}

std::string CSingleDocTemplate::GetDocString(DocStringIndex index) const {
    const std::string all = loadString(m_resourceId);
    size_t start = 0;
    for (int field = 0; field < index; ++field) {
        start = all.find('\n', start);
        if (start == std::string::npos) {
            return {};
        }
        ++start;
    }
    const size_t end = all.find('\n', start);
    return all.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

void CSingleDocTemplate::setTitleListener(std::function<void(const std::string&)> listener) {
    m_titleListener = std::move(listener);
    documentTitleChanged();
}

std::string CSingleDocTemplate::frameTitle() const {
    const std::string application = GetDocString(windowTitle);
    const std::string& document = m_document.GetTitle();
    return document.empty() ? application : document + " - " + application;
}

void CSingleDocTemplate::documentTitleChanged() {
    if (m_titleListener) {
        m_titleListener(frameTitle());
    }
}

void CSingleDocTemplate::setDefaultTitle() {
    const std::string name = GetDocString(docName);
    m_document.SetTitle(name.empty() ? kUntitled : name);
}

bool CSingleDocTemplate::OnFileNew() {
    if (!m_document.SaveModified()) {
        return false;
    }
    if (!m_document.onNewDocument()) {
        return false;
    }
    m_document.SetPathName({}, false);
    setDefaultTitle();
    return true;
}

bool CSingleDocTemplate::OnFileOpen() {
    std::string path;
    if (ShowFileDialog(nullptr, fileDialogRequest(true, {}), path) != IDOK) {
        return false;
    }
    return OpenDocumentFile(path);
}

bool CSingleDocTemplate::OpenDocumentFile(const std::string& path, bool report) {
    return openDocument(path, report) == OpenResult::opened;
}

CSingleDocTemplate::OpenResult CSingleDocTemplate::openDocument(const std::string& path,
                                                                bool report) {
    if (!m_document.SaveModified()) {
        return OpenResult::cancelled;
    }
    if (!m_document.onOpenDocument(path)) {
        if (report) {
            AfxMessageBox(m_document.failureText(), MB_OK | MB_ICONEXCLAMATION);
        }
        if (m_document.contentsLost()) {
            m_document.SetPathName({}, false);
            setDefaultTitle();
            m_document.onNewDocument();
        }
        return OpenResult::failed;
    }
    m_document.SetPathName(path);
    return OpenResult::opened;
}

FileDialogRequest CSingleDocTemplate::fileDialogRequest(bool open, const std::string& name) const {
    const std::string extension = GetDocString(filterExt);
    std::string proposed = name;
    const size_t slash = proposed.find_last_of('/');
    const size_t dot = proposed.find_last_of('.');
    if (!proposed.empty() &&
        (dot == std::string::npos || (slash != std::string::npos && dot < slash))) {
        proposed += extension;
    }
    return {open, open ? "Open" : "Save As", GetDocString(filterName), extension, proposed};
}

void CSingleDocTemplate::addToRecentFiles(const std::string& path) {
    if (m_recent != nullptr && !path.empty()) {
        m_recent->add(path);
    }
}
