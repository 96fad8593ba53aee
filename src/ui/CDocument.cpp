#include "ui/CDocument.h"

#include "res/CommandIds.h"
#include "ui/CArchive.h"
#include "ui/CSingleDocTemplate.h"
#include "ui/CView.h"
#include "ui/FileAccess.h"
#include "ui/FileDialog.h"
#include "ui/MessageBox.h"
#include "ui/UiConstants.h"

#include <algorithm>
#include <filesystem>

CDocument::CDocument() {
    handleCommand(ID_FILE_SAVE, [this] { DoFileSave(); });
    handleCommand(ID_FILE_SAVE_AS, [this] { DoSave({}); });
}

CDocument::~CDocument() {
    for (CView* view : m_views) {
        view->setDocument(nullptr);
    }
}

bool CDocument::onNewDocument() {
    DeleteContents();
    SetModifiedFlag(false);
    return true;
}

bool CDocument::onOpenDocument(const std::string& path) {
    m_contentsLost = false;
    std::vector<uint8_t> bytes;
    std::string reason;
    if (!FileAccess::readAll(path, maxFileBytes, bytes, reason)) {
        m_failure = "Cannot open " + path + ".\n\n" + reason + ".";
        return false;
    }
    CArchive archive(bytes);
    if (!readContents(archive)) {
        m_failure = "Cannot open " + path + ".\n\nUnexpected file format.";
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

bool CDocument::readContents(CArchive& ar) {
    DeleteContents();
    // Until the whole file is read, the document holds neither the old contents nor the new.
    m_contentsLost = true;
    SetModifiedFlag(true);
    serialize(ar);
    m_contentsLost = ar.failed();
    return !ar.failed();
}

bool CDocument::onSaveDocument(const std::string& path) {
    CArchive archive;
    serialize(archive);
    std::string reason = archive.failureReason();
    if (archive.failed() || FileAccess::writeAtomically(path, archive.storedBytes(), reason) !=
                                FileAccess::WriteResult::written) {
        m_failure = "Cannot save " + path + ".\n\n" + reason + ".";
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

void CDocument::onCloseDocument() {
    DeleteContents();
    m_path.clear();
    SetModifiedFlag(false);
}

void CDocument::serialize(CArchive& /*ar*/) {}

void CDocument::DeleteContents() {}

void CDocument::SetModifiedFlag(bool modified) {
    m_modified = modified;
}

void CDocument::SetPathName(const std::string& path, bool addToRecent) {
    m_path = path;
    SetTitle(std::filesystem::path(path).filename().string());
    if (addToRecent && m_template != nullptr) {
        m_template->addToRecentFiles(path);
    }
}

void CDocument::SetTitle(const std::string& title) {
    m_title = title;
    if (m_template != nullptr) {
        m_template->documentTitleChanged();
    }
}

void CDocument::AddView(CView& view) {
    if (view.GetDocument() != nullptr) {
        view.GetDocument()->RemoveView(view);
    }
    m_views.push_back(&view);
    view.setDocument(this);
}

void CDocument::RemoveView(CView& view) {
    std::erase(m_views, &view);
    if (view.GetDocument() == this) {
        view.setDocument(nullptr);
    }
}

void CDocument::UpdateAllViews(CView* sender, intptr_t hint, void* hintObject) {
    // A copy: a view may be removed while the others update.
    const std::vector<CView*> views = m_views;
    for (CView* view : views) {
        if (view != sender) {
            view->OnUpdate(sender, hint, hintObject);
        }
    }
}

bool CDocument::SaveModified() {
    if (!IsModified()) {
        return true;
    }
    switch (
        AfxMessageBox("Save changes to " + m_title + "?", MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDYES:
        return DoFileSave();
    case IDNO:
        return true;
    default:
        return false;
    }
}

bool CDocument::DoFileSave() {
    return DoSave(m_path);
}

bool CDocument::DoSave(const std::string& path) {
    std::string target = path;
    if (target.empty()) {
        FileDialogRequest request{false, "Save As", "", "", m_path.empty() ? m_title : m_path};
        if (m_template != nullptr) {
            request = m_template->fileDialogRequest(false, request.initialPath);
        }
        if (ShowFileDialog(nullptr, request, target) != IDOK) {
            return false;
        }
    }
    if (!onSaveDocument(target)) {
        AfxMessageBox(m_failure, MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    SetPathName(target);
    return true;
}
