#pragma once

#include <QWidget>

#include <string>

namespace dv::qt {

// The "Filsökaren" tool window that searches the programs of this and earlier
// discs. It is created at start and only hidden when closed.
class TFileSearchForm : public QWidget {
    Q_OBJECT
public:
    explicit TFileSearchForm(const std::string& discRoot);

private:
    std::string discRoot_;
};

} // namespace dv::qt
