// Labels as both windows place them: plain text, wrapped, top-left aligned.
#pragma once

#include <QRect>
#include <QString>

class QLabel;
class QWidget;

namespace vorda::ui {

// Draws a widget's text black whatever the palette says.
void SetBlackText(QWidget* widget);

// A label named `name` at `geometry` in `parent`; `black` fixes its text
// colour to black.
QLabel* AddLabel(QWidget* parent, const char* name, const QString& caption, QRect geometry,
                 bool black);

}  // namespace vorda::ui
