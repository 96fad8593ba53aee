#pragma once

#include "ui/UiBackend.h"

#include <functional>
#include <string>

class CDocument;
class RecentFileList;

// Ties the program's one document to its strings and runs File New and File Open on it.
// The strings come from one string resource of seven fields separated by '\n': window title,
// document name, file-new name, filter name ("Vtr Config Files (*.vtr)"), filter extension
// (".vtr"), file type id and file type name.
class CSingleDocTemplate {
public:
    enum DocStringIndex {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName,
    };

    CSingleDocTemplate(int resourceId, CDocument& document);
    CSingleDocTemplate(const CSingleDocTemplate&) = delete;
    CSingleDocTemplate& operator=(const CSingleDocTemplate&) = delete;
    ~CSingleDocTemplate();

    std::string GetDocString(DocStringIndex index) const;
    CDocument& document() const { return m_document; }

    // The list that opened and saved documents join; none by default.
    void setRecentFileList(RecentFileList* recent) { m_recent = recent; }
    RecentFileList* recentFileList() const { return m_recent; }
    // Called with the frame's caption ("Untitled - VTR Configuration") whenever it changes.
    void setTitleListener(std::function<void(const std::string&)> listener);
    std::string frameTitle() const;

    // File New: after the save-changes question, the document starts afresh as "Untitled".
    // False when the user cancelled or the document refused.
    bool OnFileNew();
    // File Open: a file dialog with the template's filter, then OpenDocumentFile.
    bool OnFileOpen();
    // Opens the file into the document after the save-changes question. A failure is shown
    // in a message box when `report` is set, and is always left in the document's
    // failureText(). When the failed read had already emptied the document, the document
    // starts afresh as "Untitled"; otherwise it stays as it was.
    bool OpenDocumentFile(const std::string& path, bool report = true);
    enum class OpenResult { opened, cancelled, failed };
    // The same, telling a cancelled save-changes question from a file that did not open.
    OpenResult openDocument(const std::string& path, bool report);

    // A file dialog for documents of this template, proposing `name` (the extension added
    // when it has none).
    FileDialogRequest fileDialogRequest(bool open, const std::string& name) const;

    // For the document.
    void addToRecentFiles(const std::string& path);
    void documentTitleChanged();

private:
    void setDefaultTitle();

    int m_resourceId;
    CDocument& m_document;
    RecentFileList* m_recent = nullptr;
    std::function<void(const std::string&)> m_titleListener;
};
