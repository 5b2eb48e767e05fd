#pragma once
// The fonts the program shows its texts in. The windows' twip geometry expects the widths of the
// fonts they name ("MS Sans Serif", "Arial", "Courier", "Comic Sans MS"), which a Linux system may
// lack or replace with fonts of other widths. The program therefore names the fonts it ships with
// (the Liberation family: the widths of Arial and Courier New) and sizes them in pixels, like its
// windows, so that every text measures the same on every screen and in the tests.
#include <QFont>

namespace plataforma {

// Pixel size of the program's usual text: 9 points on a screen of 96 dots an inch.
constexpr int PIXELES_TEXTO = 12;

QFont fuentePrograma(int pixeles = PIXELES_TEXTO);  // proportional, "Liberation Sans"
QFont fuenteFija(int pixeles = PIXELES_TEXTO);      // fixed pitch, "Liberation Mono"

// Makes the program's font the application's and sends those font names, wherever a window or a
// report layout asks for them, to the shipped fonts. Called once, after the application object.
void fijaFuentes();

}  // namespace plataforma
