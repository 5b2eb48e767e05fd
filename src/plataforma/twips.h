#pragma once
// Window geometry in the program is absolute and given in twips; the screen works in pixels.
// The program was laid out for 15 twips a pixel, so widths it animates and sets keep their meaning.

namespace plataforma {

constexpr int TWIPS_POR_PIXEL = 15;

// Rounds to the nearest pixel, symmetrically, because the program also moves windows to negative
// positions (off the left edge) and a slide must not jump by a pixel when it crosses zero.
constexpr int px(int twips) {
  const int medio = TWIPS_POR_PIXEL / 2;
  return twips >= 0 ? (twips + medio) / TWIPS_POR_PIXEL : -((-twips + medio) / TWIPS_POR_PIXEL);
}

constexpr int tw(int pixels) { return pixels * TWIPS_POR_PIXEL; }

}  // namespace plataforma
