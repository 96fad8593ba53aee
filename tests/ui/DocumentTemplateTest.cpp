#include "res/CommandIds.h"
#include "res/ResourceIds.h"
#include "support/ScratchFolder.h"
#include "ui/CArchive.h"
#include "ui/CDocument.h"
#include "ui/CSingleDocTemplate.h"
#include "support/HeadlessUi.h"
#include "ui/RecentFileList.h"
#include "ui/SettingsStore.h"
#include "ui/UiConstants.h"

#include <gmock/gmock.h>

#include <csignal>
#include <cstdio>
#include <optional>
#include <sys/resource.h>

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

namespace {

// A document of a number and a note, stored as an i32 and a string.
class NoteDocument : public CDocument {
public:
    int32_t number = 0;
    std::string note;

    void change(int32_t value, std::string text = "note") {
        number = value;
        note = std::move(text);
        SetModifiedFlag();
    }
    void serialize(CArchive& ar) override {
        if (ar.IsStoring()) {
            ar.writeI32(number);
            ar.writeString(note);
        } else {
            ar.readI32(number);
            ar.readString(note);
        }
    }
    void DeleteContents() override {
        number = 0;
        note.clear();
    }
};

std::vector<uint8_t> noteFile(int32_t number, const std::string& note) {
    CArchive out;
    out.writeI32(number);
    out.writeString(note);
    return out.storedBytes();
}

class DocumentTemplate : public ::testing::Test {
protected:
    DocumentTemplate() {
        store.open(settings.file("VtrConfig.ini"));
        docTemplate.setRecentFileList(&recent);
        docTemplate.setTitleListener([this](const std::string& title) { frameTitle = title; });
    }

    int32_t numberIn(const std::string& path) const {
        const std::vector<uint8_t> bytes = ScratchFolder::read(path);
        CArchive in(bytes);
        int32_t number = -1;
        in.readI32(number);
        return number;
    }

    HeadlessUi ui;
    ScratchFolder settings;
    ScratchFolder files;
    SettingsStore store;
    RecentFileList recent{store, "Recent File List", 3};
    NoteDocument document;
    CSingleDocTemplate docTemplate{IDR_MAINFRAME, document};
    std::string frameTitle;
};

} // namespace

TEST_F(DocumentTemplate, NewSaveSaveAsAndOpen) {
    ASSERT_TRUE(docTemplate.OnFileNew());
    EXPECT_EQ(document.GetTitle(), "Untitled");
    EXPECT_EQ(frameTitle, "Untitled - VTR Configuration");

    document.change(7, "x");
    ui.backend.answerFileDialog(files.file("first"));
    EXPECT_TRUE(document.routeCommand(ID_FILE_SAVE));
    ASSERT_EQ(ui.backend.fileDialogs().size(), 1u);
    const FileDialogRequest& saveAs = ui.backend.fileDialogs()[0];
    EXPECT_FALSE(saveAs.open);
    EXPECT_EQ(saveAs.filter, "Vtr Config Files (*.vtr)");
    EXPECT_EQ(saveAs.initialPath, "Untitled.vtr");
    const std::string first = files.file("first.vtr");
    EXPECT_THAT(ScratchFolder::read(first), ElementsAre(7, 0, 0, 0, 1, 'x'));
    EXPECT_EQ(frameTitle, "first.vtr - VTR Configuration");
    EXPECT_FALSE(document.IsModified());

    document.change(8);
    EXPECT_TRUE(document.routeCommand(ID_FILE_SAVE)); // has a path: no dialog
    EXPECT_EQ(numberIn(first), 8);

    const std::string second = files.file("second.vtr");
    ui.backend.answerFileDialog(second);
    document.routeCommand(ID_FILE_SAVE_AS);
    EXPECT_EQ(document.GetPathName(), second);
    EXPECT_EQ(ui.backend.fileDialogs().back().initialPath, first);

    ASSERT_TRUE(docTemplate.OnFileNew());
    EXPECT_EQ(document.number, 0);
    EXPECT_EQ(document.GetPathName(), "");

    ui.backend.answerFileDialog(first);
    ASSERT_TRUE(docTemplate.OnFileOpen());
    EXPECT_TRUE(ui.backend.fileDialogs().back().open);
    EXPECT_EQ(document.number, 8);
    EXPECT_EQ(frameTitle, "first.vtr - VTR Configuration");
    EXPECT_THAT(recent.paths(), ElementsAre(first, second));
    EXPECT_EQ(ui.backend.pendingAnswers(), 0u);
}

TEST_F(DocumentTemplate, SaveChangesQuestionDecidesWhetherNewGoesOn) {
    struct Case {
        int answer;
        bool newGoesOn;
        int32_t numberOnDisk;
        int32_t numberAfter;
    };
    const Case cases[] = {
        {IDYES, true, 2, 0},
        {IDNO, true, 1, 0},
        {IDCANCEL, false, 1, 2},
    };
    const std::string path = files.file("doc.vtr");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        ScratchFolder::write(path, noteFile(1, "n"));
        ASSERT_TRUE(docTemplate.OpenDocumentFile(path));
        document.change(2);
        ui.backend.answerMessageBox(c.answer);

        EXPECT_EQ(docTemplate.OnFileNew(), c.newGoesOn);
        const auto& box = ui.backend.messageBoxes().back();
        EXPECT_EQ(box.text, "Save changes to doc.vtr?");
        EXPECT_EQ(box.style & MB_TYPEMASK, MB_YESNOCANCEL);
        EXPECT_EQ(numberIn(path), c.numberOnDisk);
        EXPECT_EQ(document.number, c.numberAfter);
        EXPECT_EQ(document.IsModified(), !c.newGoesOn);
        document.SetModifiedFlag(false);
    }
}

TEST_F(DocumentTemplate, FailedSaveKeepsTheOldFileWholeAndIsReported) {
    const std::string path = files.file("doc.vtr");
    ScratchFolder::write(path, noteFile(1, "old"));
    ASSERT_TRUE(docTemplate.OpenDocumentFile(path));
    document.change(2, std::string(64 * 1024, 'n'));

    // A file size limit stands in for a full disk: the write stops half way.
    rlimit previous{};
    ::getrlimit(RLIMIT_FSIZE, &previous);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = previous;
    small.rlim_cur = 4096;
    ::setrlimit(RLIMIT_FSIZE, &small);
    ui.backend.answerMessageBox(IDOK);
    EXPECT_TRUE(document.routeCommand(ID_FILE_SAVE));
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(ScratchFolder::read(path), noteFile(1, "old"));
    EXPECT_THAT(files.names(), ElementsAre("doc.vtr")); // no temporary file left behind
    ASSERT_EQ(ui.backend.messageBoxes().size(), 1u);
    EXPECT_THAT(ui.backend.messageBoxes()[0].text, StartsWith("Cannot save " + path));
    EXPECT_TRUE(document.IsModified());
}

TEST_F(DocumentTemplate, FailedOpenIsReportedAndNeverLeavesAHalfReadDocument) {
    struct Case {
        const char* what;
        std::optional<std::vector<uint8_t>> content;
        const char* reason;
        bool startsAfresh;
    };
    const std::vector<uint8_t> cut = {5, 0, 0, 0, 9, 'a'}; // the note claims 9 characters
    const Case cases[] = {
        {"missing file", std::nullopt, "No such file or directory", false},
        {"note past the end", cut, "Unexpected file format.", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string good = files.file("good.vtr");
        ScratchFolder::write(good, noteFile(3, "kept"));
        ASSERT_TRUE(docTemplate.OpenDocumentFile(good));
        const std::string bad = files.file("bad.vtr");
        std::remove(bad.c_str());
        if (c.content) {
            ScratchFolder::write(bad, *c.content);
        }
        ui.backend.answerMessageBox(IDOK);

        EXPECT_FALSE(docTemplate.OpenDocumentFile(bad));
        EXPECT_THAT(ui.backend.messageBoxes().back().text, HasSubstr(c.reason));
        EXPECT_EQ(document.GetTitle(), c.startsAfresh ? "Untitled" : "good.vtr");
        EXPECT_EQ(document.number, c.startsAfresh ? 0 : 3);
        EXPECT_FALSE(document.IsModified());
        EXPECT_EQ(recent[0], good);
    }
}
