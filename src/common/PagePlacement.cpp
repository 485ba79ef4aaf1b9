#include "common/PagePlacement.h"

#include <QApplication>
#include <QDynamicPropertyChangeEvent>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTabWidget>
#include <QWidget>

namespace {

const char PlacedIn[] = "placedIn";

// The widget a page of `container` has for its parent once added.
QWidget *pageParent(QWidget *container)
{
    if (auto *tabs = qobject_cast<QTabWidget *>(container)) {
        return tabs->findChild<QStackedWidget *>(QStringLiteral("qt_tabwidget_stackedwidget"),
                                                 Qt::FindDirectChildrenOnly);
    }
    if (qobject_cast<QStackedWidget *>(container))
        return container;
    if (auto *area = qobject_cast<QScrollArea *>(container))
        return area->viewport();
    return nullptr;
}

class Placer : public QObject
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::DynamicPropertyChange || !watched->isWidgetType() ||
            static_cast<QDynamicPropertyChangeEvent *>(event)->propertyName() != PlacedIn)
            return false;
        auto *page = static_cast<QWidget *>(watched);
        if (page->parentWidget() || page->findChild<QWidget *>())
            return false;
        const QString name = page->property(PlacedIn).toString();
        QWidget *container = nullptr;
        for (QWidget *widget : QApplication::allWidgets()) {
            if (widget->objectName() != name)
                continue;
            if (container)
                return false; // not unique: the form places the page
            container = widget;
        }
        if (QWidget *parent = container ? pageParent(container) : nullptr)
            page->setParent(parent);
        return false;
    }
};

Placer *g_placer = nullptr;

} // namespace

namespace PagePlacement {

Scope::Scope()
{
    if (g_placer || !qApp)
        return;
    g_placer = new Placer;
    qApp->installEventFilter(g_placer);
    m_owner = true;
}

Scope::~Scope()
{
    if (!m_owner)
        return;
    qApp->removeEventFilter(g_placer);
    delete g_placer;
    g_placer = nullptr;
}

} // namespace PagePlacement
