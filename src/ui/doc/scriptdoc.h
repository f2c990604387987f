#pragma once
#include <QObject>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <functional>

#include "core/doc/diskstamp.h"
#include "core/doc/dockinds.h"

class QAbstractScrollArea;

namespace qm {

class CDocTemplate;
class CEditView;
class CChildFrame;
class CLargeText;
class CLargeTextView;
class DocumentFileReader;
struct TextSaveReport;
class CJournalSchedule;
struct RecoveryEntry;

// The one document class: its text is its view's; its title is the file name, or the kind
// name for a new document, with one trailing "*" while there are unsaved changes.
class CScriptDoc : public QObject {
    Q_OBJECT
public:
    explicit CScriptDoc(CDocTemplate* tmpl);
    ~CScriptDoc() override;

    void AttachView(CEditView* view, CChildFrame* frame);
    CEditView* GetView() const;
    // A very large file's document: its text is a table of its own (`CLargeText`) shown by
    // `CLargeTextView` windows, and it has no `CEditView`.
    void AttachLargeView(CLargeTextView* view, CChildFrame* frame);
    bool IsLarge() const { return m_large != nullptr; }
    CLargeText* GetLargeText() const { return m_large; }
    CLargeTextView* GetLargeView() const;
    CChildFrame* GetFrame() const;
    CDocTemplate* GetDocTemplate() const { return m_template; }
    DocKind Kind() const;

    QString GetTitle() const { return m_title; }
    void SetTitle(const QString& text);
    QString GetPathName() const { return m_pathName; }
    // Sets the path and, as the framework does, the title to the path's file name.
    void SetPathName(const QString& path, bool addToRecentList = true);

    // The file being read into this document while it opens; empty otherwise.
    QString LoadingPathName() const { return m_loadingPath; }

    bool IsModified() const;
    void SetModifiedFlag(bool modified = true);

    // Before a modified document closes: Yes saves, No discards, Cancel (or a failed save) keeps it open.
    bool SaveModified();
    bool DoFileSave();
    // Saves to path, asking for a name when it is empty. replace: the document takes the new name.
    bool DoSave(const QString& path, bool replace = true);

    void OnFileSave();
    void OnFileSaveAs();

    bool OnNewDocument();
    bool OnOpenDocument(const QString& path);
    bool OnSaveDocument(const QString& path);
    // Removes the document with its window, without asking.
    void OnCloseDocument();

    void UpdateFrameCounts();
    void ActivateFrame();

    // Unsaved work and the file on disk (scriptdocguard.cpp). Once the document is open or new: its
    // copy for recovery follows its changes and its file is watched.
    void StartGuarding();
    // Looks at the file on disk: reloads an unmodified document, or tells of the change in a bar.
    void CheckDiskFile();
    // Replaces the text with the file's, keeping each window's caret line and scroll position.
    bool ReloadFromDisk();
    void OnDiskBarReload();
    void OnDiskBarKeepMine();
    // Hands the current text to the recovery journal now (when modified), else drops its copy.
    void WriteJournalNow();
    QString JournalName() const { return m_journalName; }
    // Takes a recovered copy's text and file; the document stays modified, its copy in `name`.
    void RecoverFrom(const RecoveryEntry& entry, const QString& name);
    const FileStamp& DiskStamp() const { return m_diskStamp; }

    // How a file is opened; tests change it to see a load in pieces, its progress and a lack of memory.
    struct OpenSettings {
        size_t pieceBytes = size_t{4} << 20;  // the file is read and shown in pieces of this size
        int progressAfterMs = 500;            // a load that takes longer shows its progress
        // Called before each piece goes into the editor with the bytes read so far; it may throw
        // std::bad_alloc as a machine out of memory would.
        std::function<void(std::uint64_t)> beforePiece;
        // Called once the text is whole, before its window is laid out and shown; it may throw too.
        std::function<void()> beforeShow;
        // Files from this size on open as very large texts.
        std::uint64_t largeTextBytes = std::uint64_t{16} << 20;
    };
    // Whether a file of this size opens as a very large text.
    static bool IsLargeFileSize(std::uint64_t bytes) { return bytes >= s_open.largeTextBytes; }
    // Tells the user that path could not be opened for want of memory.
    static bool FailForMemory(const QString& path, std::uint64_t bytes);
    static OpenSettings s_open;

signals:
    void TitleChanged(const QString& title);

private:
    void RestoreMarker() { SetModifiedFlag(IsModified()); }
    // The title's "*" as the text stands.
    void ShowModifiedMark();
    void StripMarker();
    void DropJournal();
    // Reads the stamp of path (the document's own file when empty).
    void RememberDiskFile(const QString& path = {});
    // Before a save over the document's own file: true when it may go ahead.
    bool ConfirmOverwrite(const QString& path);
    void ShowDiskBars(bool deleted);
    void HideDiskBars();
    QList<CEditView*> Views() const;
    QList<CLargeTextView*> LargeViews() const;
    // Every window's view, whichever kind it is: the disk bars sit across each.
    QList<QAbstractScrollArea*> AllViews() const;
    // The very large text's halves of opening, saving, copying for recovery and reloading.
    void SaveLarge(const QString& path, TextSaveReport& report);
    QString LargeJournalText() const;
    void ReloadLarge(std::string text);
    void ReloadViews(const QString& text);
    void OnLargeTextChanged();

    CDocTemplate* m_template;
    QPointer<CEditView> m_view;
    QPointer<CChildFrame> m_frame;
    CLargeText* m_large = nullptr;  // a child of the document
    QPointer<CLargeTextView> m_largeView;
    QString m_pathName;
    QString m_loadingPath;
    QString m_title;
    bool m_closing = false;
    FileStamp m_diskStamp;  // the file as last read or written
    bool m_diskGone = false;
    QString m_journalName;
    CJournalSchedule* m_schedule = nullptr;
};

}  // namespace qm
