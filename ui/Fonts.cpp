#include "ui/Fonts.h"

#include <QStringList>

namespace vorda::ui {

void RegisterFontSubstitutes() {
  static const bool registered = [] {
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"),
                               {QStringLiteral("Liberation Serif")});
    QFont::insertSubstitutions(QStringLiteral("Courier"),
                               {QStringLiteral("Liberation Mono"), QStringLiteral("Courier New")});
    return true;
  }();
  (void)registered;
}

QFont WindowFont() {
  RegisterFontSubstitutes();
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setPointSizeF(8.25);
  font.setWeight(QFont::Bold);
  return font;
}

}  // namespace vorda::ui
