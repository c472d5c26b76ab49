#pragma once

#include "core/shell/Geometry.h"
#include "core/shell/TextMeasure.h"

#include <QFont>
#include <QRect>

class QWidget;

namespace dv::qt {

// Measures texts in a widget's font, as its labels and buttons draw them.
class QtTextMeasure : public TextMeasure {
  public:
    explicit QtTextMeasure(const QWidget& widget);

    TextSize measure(std::string_view text, int wrapWidth) const override;
    int indicatorWidth() const override { return indicator_; }

  private:
    QFont font_;
    int indicator_;
};

inline QRect toQRect(const Rect& r) {
    return QRect(r.left, r.top, r.width, r.height);
}

} // namespace dv::qt
