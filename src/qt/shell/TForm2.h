#pragma once

#include <QDialog>

namespace dv::qt {

// The hidden screen: black, borderless, maximised when shown.
class TForm2 : public QDialog {
    Q_OBJECT
public:
    TForm2();
};

} // namespace dv::qt
