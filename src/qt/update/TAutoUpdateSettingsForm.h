#pragma once

#include <QDialog>

namespace dv::qt {

// The dialog that asks whether the disc may look for updates when it starts.
class TAutoUpdateSettingsForm : public QDialog {
    Q_OBJECT
public:
    TAutoUpdateSettingsForm();
};

} // namespace dv::qt
