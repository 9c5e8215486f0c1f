#include "app/ui/GuardedApplication.h"

#include <QMessageBox>
#include <exception>

#include "store/Database.h"

namespace kivrun {

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
    QString text;
    try {
        return QApplication::notify(receiver, event);
    } catch (const DbError& e) {
        text =
            QStringLiteral("Couldn't finish the action--Exception: ") + QString::fromUtf8(e.what());
    } catch (const std::bad_alloc&) {
        text = QStringLiteral("Couldn't finish the action--Memory exception thrown.");
    } catch (const std::exception& e) {
        text =
            QStringLiteral("Couldn't finish the action--Exception: ") + QString::fromUtf8(e.what());
    } catch (...) {
        text = QStringLiteral("Couldn't finish the action--Exception: unknown failure");
    }
    QMessageBox::warning(activeWindow(), applicationName(), text);
    return false;
}

}  // namespace kivrun
