#include "gui/kit/HelpKey.h"

#include "gui/kit/HelpService.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {

const char* const ContextProperty = "veltranoHelpContext";

bool isHelpKey(const QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    return key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier;
}

} // namespace

HelpKey::HelpKey(QWidget* window, HelpService& help) : QObject(window), m_window(window), m_help(help) {}

void HelpKey::attach(QWidget* window, HelpService& help, int context) {
    window->setProperty(ContextProperty, context);
    window->installEventFilter(new HelpKey(window, help));
}

int HelpKey::contextAround(const QWidget* widget) {
    for (; widget; widget = widget->parentWidget()) {
        const QVariant context = widget->property(ContextProperty);
        if (context.isValid())
            return context.toInt();
    }
    return -1;
}

bool HelpKey::eventFilter(QObject* watched, QEvent* event) {
    // A window inside another (a child of the frame) leaves the key to the window around it.
    if (watched != m_window || !m_window->isWindow() || !isHelpKey(event))
        return false;
    // Claiming the key before shortcuts are looked at keeps any other F1 from making it ambiguous.
    event->accept();
    if (event->type() == QEvent::KeyPress) {
        QWidget* focus = QApplication::focusWidget();
        const int context =
            focus && m_window->isAncestorOf(focus) ? contextAround(focus) : contextAround(m_window);
        m_help.showHelp(context);
    }
    return true;
}
