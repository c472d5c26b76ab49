#pragma once

#include "core/app/MessageBoxes.h"

class QWidget;

namespace dv::qt {

// Message boxes (MessageBoxDialog), owned by the main window when there is one.
class QtMessageBoxes : public MessageBoxes {
  public:
    MessageAnswer show(const MessageBoxRequest& request) override;
    void setOwner(QWidget* owner) { owner_ = owner; }

  private:
    QWidget* owner_ = nullptr;
};

} // namespace dv::qt
