#pragma once

// A macro page on the offscreen platform with a scripted answer for every
// modal dialog it opens, and the texts of the label catalogue it shows (the
// program's own en.json).

#include "common/DialogSeam.h"
#include "common/LabelCatalogue.h"
#include "hub/PostMsg.h"
#include "macro/Macro.h"
#include "platform/UserFolder.h"
#include "ui_Macro.h"

#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>

#include <functional>

// Every dialog is recorded by class name and answered by the next scripted
// action; without one, its close button is pressed.
class DialogScript
{
public:
    using Action = std::function<void(QDialog &)>;

    DialogScript()
    {
        m_previous = DialogSeam::setExecHandler([this](QDialog &dialog) {
            Shown << QString::fromLatin1(dialog.metaObject()->className());
            const QLabel *label = dialog.findChild<QLabel *>(QStringLiteral("label"));
            Texts << (label ? label->text() : QString());
            if (m_actions.isEmpty()) {
                DialogSeam::press(dialog, QStringLiteral("CloseButton"));
                return;
            }
            m_actions.takeFirst()(dialog);
        });
    }
    ~DialogScript() { DialogSeam::setExecHandler(m_previous); }

    void then(Action action) { m_actions.append(std::move(action)); }
    void press(const QString &button)
    {
        then([button](QDialog &d) { DialogSeam::press(d, button); });
    }
    // Types name into the name dialog and confirms.
    void name(const QString &text)
    {
        then([text](QDialog &d) {
            d.findChild<QLineEdit *>(QStringLiteral("lineEdit"))->setText(text);
            DialogSeam::press(d, QStringLiteral("NewHong"));
        });
    }
    void delay(int ms)
    {
        then([ms](QDialog &d) {
            d.findChild<QSpinBox *>(QStringLiteral("spinBox"))->setValue(ms);
            DialogSeam::press(d, QStringLiteral("NewHong"));
        });
    }

    QStringList Shown;
    // The text of each dialog's "label", in the order shown.
    QStringList Texts;

private:
    QList<Action> m_actions;
    DialogSeam::ExecHandler m_previous;
};

// The texts a user reads come from en.json; a notice text that the file
// lacks would be empty.
inline QString MacroText(const char *key)
{
    return MacroLabels[0].value(QString::fromLatin1(key));
}

inline void FillMacroCatalogue()
{
    LabelCatalogue::clear();
    LabelCatalogue::load();
    LabelMap &macro = MacroLabels[0];
    macro["MacroSeond"] = "Macro-";
    macro["NewMacro"] = "New Macro";
    macro["Delay"] = "Delay";
    LabelMultiMap &events = InsertEventOptionsLabels[0];
    events.clear();
    const char *names[] = {"Key Down",      "Key Up",         "Left Button", "Right Button",
                           "Middle Button", "Forward Button", "Back Button"};
    for (int i = 0; i < 7; ++i)
        events.insert(QString::number(i), names[i]);
}

inline QString MacroFolder()
{
    return UserFolder::filePath(QStringLiteral("usersetting/MacroPage"));
}

// Item texts with "+" for a press and "-" for a release; delays as they are.
inline QStringList Events(const Macro &page)
{
    QStringList out;
    const QListWidget *list = page.ui->listWidgetKey;
    for (int i = 0; i < list->count(); ++i) {
        const QListWidgetItem *item = list->item(i);
        const QString text = item->text();
        if (text.contains(QStringLiteral("ms")))
            out << text;
        else
            out << (item->type() == 0 ? QStringLiteral("+") : QStringLiteral("-")) + text;
    }
    return out;
}

inline QStringList Macros(const Macro &page)
{
    QStringList out;
    for (int i = 0; i < page.ui->listWidgetHong->count(); ++i)
        out << page.ui->listWidgetHong->item(i)->text();
    return out;
}

inline void SelectMacro(Macro &page, const QString &name)
{
    const QList<QListWidgetItem *> found =
        page.ui->listWidgetHong->findItems(name, Qt::MatchExactly);
    if (found.isEmpty())
        return;
    page.ui->listWidgetHong->setCurrentItem(found.first());
    QMetaObject::invokeMethod(&page, "on_listWidgetHong_clicked",
                              Q_ARG(QModelIndex, QModelIndex()));
}

inline void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
}

inline QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

inline void EmptyMacroFolder()
{
    QDir folder(MacroFolder());
    folder.removeRecursively();
    QDir().mkpath(MacroFolder());
}
