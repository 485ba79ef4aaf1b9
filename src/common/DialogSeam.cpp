#include "common/DialogSeam.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDialog>
#include <QFileDialog>
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

QString askFile(const FileRequest &request)
{
    if (const FileHandler &handler = fileHandler())
        return handler(request);
    if (request.kind == FileDialogKind::Save)
        return QFileDialog::getSaveFileName(request.parent, request.caption, request.directory,
                                            request.filter);
    return QFileDialog::getOpenFileName(request.parent, request.caption, request.directory,
                                        request.filter);
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

QString getOpenFileName(QWidget *parent, const QString &caption, const QString &directory,
                        const QString &filter)
{
    return askFile({FileDialogKind::Open, parent, caption, directory, filter});
}

QString getSaveFileName(QWidget *parent, const QString &caption, const QString &directory,
                        const QString &filter)
{
    return askFile({FileDialogKind::Save, parent, caption, directory, filter});
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
        return m_filePath;
    });
}

ScopedAnswer::~ScopedAnswer()
{
    setExecHandler(std::move(m_previousExec));
    setFileHandler(std::move(m_previousFile));
}

} // namespace DialogSeam
