#include "common/DeferredPolish.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QVector>
#include <QWidget>

namespace {

struct Kept
{
    QPointer<QWidget> root;
    QVector<QPointer<QWidget>> widgets;
};

// Sees every Polish event of the application (the event QWidget styles
// itself on) and keeps those below a deferred root.
class PolishKeeper : public QObject
{
public:
    QVector<Kept> roots;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Polish || !watched->isWidgetType())
            return false;
        auto *widget = static_cast<QWidget *>(watched);
        for (const QWidget *w = widget; w; w = w->parentWidget()) {
            for (Kept &kept : roots) {
                if (kept.root == w) {
                    kept.widgets.append(widget);
                    return true;
                }
            }
            if (w->isWindow())
                break;
        }
        return false;
    }
};

bool g_enabled = false;

PolishKeeper *keeper(bool create)
{
    static QPointer<PolishKeeper> instance;
    QCoreApplication *app = QCoreApplication::instance();
    if (!instance && create && app) {
        instance = new PolishKeeper;
        instance->setParent(app);
        app->installEventFilter(instance);
    }
    return instance;
}

} // namespace

namespace DeferredPolish {

void setEnabled(bool on)
{
    g_enabled = on;
}

bool enabled()
{
    return g_enabled;
}

void defer(QWidget *root)
{
    PolishKeeper *k = keeper(true);
    if (!k || !root || deferred(root))
        return;
    Kept kept;
    kept.root = root;
    k->roots.append(kept);
}

void complete(QWidget *root)
{
    PolishKeeper *k = keeper(false);
    if (!k)
        return;
    for (int i = 0; i < k->roots.size(); ++i) {
        if (k->roots.at(i).root != root)
            continue;
        const QVector<QPointer<QWidget>> widgets = k->roots.takeAt(i).widgets;
        for (const QPointer<QWidget> &widget : widgets) {
            if (widget) {
                QEvent polish(QEvent::Polish);
                QCoreApplication::sendEvent(widget, &polish);
            }
        }
        break;
    }
    if (k->roots.isEmpty()) {
        QCoreApplication::instance()->removeEventFilter(k);
        delete k;
    }
}

bool deferred(const QWidget *root)
{
    PolishKeeper *k = keeper(false);
    if (!k)
        return false;
    for (const Kept &kept : k->roots) {
        if (kept.root == root)
            return true;
    }
    return false;
}

} // namespace DeferredPolish
