#pragma once
// Builds the window's controls from the control table: one widget per row,
// named, placed, described for screen readers and chained in the table's tab
// order. What the controls do is left to MainForm, which wires them.

#include <QHash>
#include <QString>

class QWidget;

namespace calctutor {

// The controls by name ("txt_answer", "Picture1", ...), children of window.
QHash<QString, QWidget*> buildControls(QWidget& window);

} // namespace calctutor
