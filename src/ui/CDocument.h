#pragma once

#include "ui/CCmdTarget.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CArchive;
class CSingleDocTemplate;
class CView;

// A document: what the program keeps in a file, its path and title, whether it changed since
// it was last saved, and the views that show it. The document template drives New and Open;
// the document itself handles Save and Save As (ID_FILE_SAVE, ID_FILE_SAVE_AS) and the
// question whether to save changes.
//
// A derived document stores and reads its members in serialize and overrides the life-cycle
// hooks where it needs more than the file (calling the base hook first).
class CDocument : public CCmdTarget {
public:
    // Documents are small records; a bigger file is not one of ours.
    static constexpr size_t maxFileBytes = 16u << 20;

    CDocument();
    ~CDocument() override;

    // A fresh document: contents deleted, not modified. The template then names it "Untitled".
    virtual bool onNewDocument();
    // Reads the file through readContents. False when the file cannot be read or does not
    // hold a whole document; failureText() then says why.
    virtual bool onOpenDocument(const std::string& path);
    // Writes the document through serialize to a temporary file beside path and renames it
    // over path, so a failed save leaves the old file whole. Clears the modified flag.
    virtual bool onSaveDocument(const std::string& path);
    // The document is closed (on exit, for instance): contents deleted, no path.
    virtual void onCloseDocument();
    // Stores the members into the archive, or loads them from it (ar.IsStoring()).
    virtual void serialize(CArchive& ar);
    // Empties the document's contents; by default nothing to do.
    virtual void DeleteContents();
    // Replaces the contents with the file's, false when the archive failed. By default the
    // document is emptied first and serialize loads into it, so a failure leaves it empty
    // (contentsLost). A document that loads into a fresh record and keeps its contents until
    // the whole file is read overrides this, and a failed open then changes nothing.
    virtual bool readContents(CArchive& ar);

    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true);
    // The file of the document; empty for an untitled one.
    const std::string& GetPathName() const { return m_path; }
    // Names the document after its file (title: the file name) and lists it as recent.
    void SetPathName(const std::string& path, bool addToRecent = true);
    const std::string& GetTitle() const { return m_title; }
    void SetTitle(const std::string& title);
    // Why the last open or save failed, worded for the user.
    const std::string& failureText() const { return m_failure; }
    // The last failed open had already emptied the document before it failed.
    bool contentsLost() const { return m_contentsLost; }

    void AddView(CView& view);
    void RemoveView(CView& view);
    const std::vector<CView*>& views() const { return m_views; }
    // Tells every view but the sender that the document changed.
    void UpdateAllViews(CView* sender, intptr_t hint = 0, void* hintObject = nullptr);

    CSingleDocTemplate* GetDocTemplate() const { return m_template; }
    void setDocTemplate(CSingleDocTemplate* docTemplate) { m_template = docTemplate; }

    // Asks "Save changes to <title>?" when the document is modified. True when the caller may
    // go on: nothing to save, the user answered No, or Yes and the save succeeded.
    virtual bool SaveModified();
    // Save: to the document's file, or through Save As when it has none. False when the user
    // cancelled or the save failed (the failure has been reported).
    bool DoFileSave();
    // Save As: asks for a path (proposing the current one) and saves there.
    bool DoSave(const std::string& path);

private:
    std::string m_path;
    std::string m_title;
    std::string m_failure;
    bool m_modified = false;
    bool m_contentsLost = false;
    std::vector<CView*> m_views;
    CSingleDocTemplate* m_template = nullptr;
};
