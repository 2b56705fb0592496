#pragma once

#include <QString>

// Gives this process, and every program it starts, a fontconfig that knows one font folder
// (QUILLMAR_TEST_FONT_DIR) with its cache under strRoot, and no desktop theme or style, so what
// the tests draw, print or read from a palette does not depend on the machine or the desktop.
// Call it before the application object is made.
void PinFontsAndLook(const QString& strRoot);
