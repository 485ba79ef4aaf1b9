#include "common/DialogSeam.h"

#include "platform/UserFolder.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>

namespace DialogSeam {

namespace {
ExecHandler &execHandler()
{
    static ExecHandler handler;
    return handler;
}

FileHandler &fileHandler()
{
    static FileHandler handler;
    return handler;
}

QString runFileDialog(const FileRequest &request)
{
    // The folder exists (documentsPath() makes sure): a dialog told to open in
    // a missing one would offer that folder's name as the file name.
    QFileDialog dialog(request.parent, request.caption, request.directory, request.filter);
    if (request.kind == FileDialogKind::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        // The dialog then asks before replacing the file the name stands for.
        dialog.setDefaultSuffix(request.extension);
        dialog.selectFile(request.fileName);
    } else {
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (exec(dialog) != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

QString askFile(const FileRequest &request)
{
    const FileHandler &handler = fileHandler();
    const QString path = handler ? handler(request) : runFileDialog(request);
    if (request.kind != FileDialogKind::Save || path.isEmpty() || request.extension.isEmpty())
        return path;
    // As the dialog's own default suffix: only a name without any extension
    // gets one.
    if (QFileInfo(path).fileName().contains(QLatin1Char('.')))
        return path;
    return path + QLatin1Char('.') + request.extension;
}
} // namespace

int exec(QDialog &dialog)
{
    const ExecHandler handler = execHandler();
    if (!handler)
        return dialog.QDialog::exec();

    // What QDialog::exec() does before its loop, minus the modality: a test
    // runs on the same thread and must get control back.
    QPointer<QDialog> guard(&dialog);
    dialog.setResult(0);
    dialog.show();
    handler(dialog);
    if (!guard)
        return QDialog::Rejected;
    if (dialog.isVisible())
        dialog.hide();
    return dialog.result();
}

QString getOpenFileName(QWidget *parent, const QString &caption, const FileType &type)
{
    return askFile({FileDialogKind::Open, parent, caption, UserFolder::documentsPath(), QString(),
                    type.filter, type.extension});
}

QString getSaveFileName(QWidget *parent, const QString &caption, const QString &suggestedName,
                        const FileType &type)
{
    // A separator in the name would send the dialog into another folder.
    QString name = suggestedName;
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    // Without a name the extension alone would make a hidden file's name.
    if (!name.trimmed().isEmpty() && !type.extension.isEmpty())
        name += QLatin1Char('.') + type.extension;
    return askFile({FileDialogKind::Save, parent, caption, UserFolder::documentsPath(), name,
                    type.filter, type.extension});
}

ExecHandler setExecHandler(ExecHandler handler)
{
    ExecHandler previous = std::move(execHandler());
    execHandler() = std::move(handler);
    return previous;
}

FileHandler setFileHandler(FileHandler handler)
{
    FileHandler previous = std::move(fileHandler());
    fileHandler() = std::move(handler);
    return previous;
}

bool press(QDialog &dialog, const QString &buttonName)
{
    if (buttonName.isEmpty() || buttonName == QLatin1String("Escape")) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(&dialog, &press);
        return true;
    }
    auto *button = dialog.findChild<QAbstractButton *>(buttonName);
    if (!button)
        return false;
    button->click();
    return true;
}

ScopedAnswer::ScopedAnswer(const QString &buttonName, const QString &filePath)
    : m_button(buttonName), m_filePath(filePath)
{
    m_previousExec = setExecHandler([this](QDialog &dialog) {
        ShownDialog shown;
        shown.className = QString::fromLatin1(dialog.metaObject()->className());
        shown.objectName = dialog.objectName();
        if (auto *label = dialog.findChild<QLabel *>(QStringLiteral("label")))
            shown.labelText = label->text();
        m_dialogs.append(shown);
        press(dialog, m_button);
    });
    m_previousFile = setFileHandler([this](const FileRequest &request) {
        m_fileRequests.append(request);
        if (m_acceptSuggestion && request.kind == FileDialogKind::Save)
            return QDir(request.directory).filePath(request.fileName);
        if (m_filePath.isEmpty() || QDir::isAbsolutePath(m_filePath))
            return m_filePath;
        return QDir(request.directory).filePath(m_filePath);
    });
}

ScopedAnswer::~ScopedAnswer()
{
    setExecHandler(std::move(m_previousExec));
    setFileHandler(std::move(m_previousFile));
}

} // namespace DialogSeam
