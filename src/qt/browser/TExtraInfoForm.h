#pragma once

#include <QDialog>

namespace dv::qt {

// The "more information" dialog shown before an item with a note starts.
class TExtraInfoForm : public QDialog {
    Q_OBJECT
public:
    TExtraInfoForm();
};

} // namespace dv::qt
