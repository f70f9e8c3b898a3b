// The look every standard window shares: close button only, fixed border, 宋体 10 pt (with CJK
// fallbacks on systems without it), centred on the screen when shown.
#pragma once

class QWidget;
class QFont;

namespace ui {

// The program's font: 宋体 where it exists, otherwise the Noto CJK faces, at the given size.
QFont programFont(int pointSize = 10);

// Applies the standard window style to a window from its creation code. The window keeps the
// size it has when first shown (or its layout's size hint) and cannot be resized.
void applyStandardStyle(QWidget* window);

// Centres a window on the screen it is shown on.
void centreOnScreen(QWidget* window);

} // namespace ui
