#pragma once

#include <QList>
#include <QString>
#include <functional>

class QDialog;
class QWidget;

// Every modal loop and every file chooser of the program goes through here.
// In the program they are the plain Qt calls; a test installs a handler that
// answers them (press a button, press Esc, pick a path) without entering a
// nested event loop that nobody would ever leave.
namespace DialogSeam {

// Runs `dialog` modally and returns what QDialog::exec() would. With a handler
// installed, the dialog is made visible (not modal), the handler acts on it,
// and the dialog is hidden again if the handler left it open; the result is
// then QDialog::result().
int exec(QDialog &dialog);

enum class FileDialogKind
{
    Open,
    Save
};

// A kind of file the user keeps: what its dialogs list, and the extension a
// name typed without one gets, so that opening lists what saving wrote.
struct FileType
{
    QString filter;    // e.g. "File(*.bin)"
    QString extension; // without the dot, e.g. "bin"
};

struct FileRequest
{
    FileDialogKind kind = FileDialogKind::Open;
    QWidget *parent = nullptr;
    QString caption;
    QString directory; // the folder the dialog opens in
    QString fileName;  // the name a save dialog suggests; empty when opening
    QString filter;
    QString extension;
};

// The program's file choosers. Both open in the user's documents folder (the
// home folder when there is none). Saving suggests `suggestedName` with the
// type's extension, and a name chosen without any extension gets it. An
// empty result means the user cancelled.
QString getOpenFileName(QWidget *parent, const QString &caption, const FileType &type);
QString getSaveFileName(QWidget *parent, const QString &caption, const QString &suggestedName,
                        const FileType &type);

using ExecHandler = std::function<void(QDialog &dialog)>;
using FileHandler = std::function<QString(const FileRequest &request)>;

// Installs a handler; an empty function restores the real modal behaviour.
// Both return the handler that was installed before.
ExecHandler setExecHandler(ExecHandler handler);
FileHandler setFileHandler(FileHandler handler);

// Presses the child button named `buttonName` of `dialog` (a QAbstractButton
// found by object name, e.g. "OK", "Cancel", "NewHong", "CloseButton"); an
// empty name or "Escape" sends the Esc key to the dialog instead. Returns
// false when no such button exists.
bool press(QDialog &dialog, const QString &buttonName);

// What a test saw of one shown dialog.
struct ShownDialog
{
    QString className;  // metaObject()->className()
    QString objectName; // the dialog's object name
    QString labelText;  // text of the child QLabel named "label", if any
};

// Test helper: while it lives, every modal dialog is recorded and answered by
// pressing `buttonName` (see press()), and every file chooser is answered,
// after its request was recorded, with `filePath`: an absolute path as
// picked, a bare name as typed into the dialog's name field, empty as
// cancelled. After acceptSuggestion() a save dialog is answered with the
// name it suggests. The previous handlers come back when it is destroyed.
class ScopedAnswer
{
public:
    explicit ScopedAnswer(const QString &buttonName = QString(),
                          const QString &filePath = QString());
    ~ScopedAnswer();
    ScopedAnswer(const ScopedAnswer &) = delete;
    ScopedAnswer &operator=(const ScopedAnswer &) = delete;

    void setButton(const QString &buttonName) { m_button = buttonName; }
    void setFilePath(const QString &filePath) { m_filePath = filePath; }
    void acceptSuggestion() { m_acceptSuggestion = true; }

    const QList<ShownDialog> &dialogs() const { return m_dialogs; }
    const QList<FileRequest> &fileRequests() const { return m_fileRequests; }

private:
    QString m_button;
    QString m_filePath;
    bool m_acceptSuggestion = false;
    QList<ShownDialog> m_dialogs;
    QList<FileRequest> m_fileRequests;
    ExecHandler m_previousExec;
    FileHandler m_previousFile;
};

} // namespace DialogSeam
