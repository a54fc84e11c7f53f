#include "platform/Events.h"

#include <QCoreApplication>

namespace pixmill {

void DoEvents() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace pixmill
