#pragma once

#include <QAccessibleWidget>

class QObject;
class QString;

namespace dv::qt {

class TForm1;

// The main window as screen readers see it: the hot-spots it offers now,
// in reading order, then its other controls (the page, the status line,
// the player). Highlight pictures, text shadows and the strip of the hidden
// screen are left out.
class MainWindowAccessible : public QAccessibleWidget {
  public:
    explicit MainWindowAccessible(TForm1* form);

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

    // Makes Qt use this and HotSpotAccessible for the shell's widgets.
    static void install();

  private:
    QList<QWidget*> children() const;
};

} // namespace dv::qt
