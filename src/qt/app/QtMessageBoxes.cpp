#include "qt/app/QtMessageBoxes.h"

#include "qt/app/MessageBoxDialog.h"

namespace dv::qt {

MessageAnswer QtMessageBoxes::show(const MessageBoxRequest& request) {
    MessageBoxDialog box(request, owner_);
    box.raise();
    box.activateWindow();
    box.exec();
    return box.answer();
}

} // namespace dv::qt
