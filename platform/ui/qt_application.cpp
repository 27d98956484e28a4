#include "platform/ui/qt_application.h"

#include "platform/ui/application.h"

bool TQtApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const Exception& e) {
        Application->ShowException(e);
        return false;
    }
}
