// The editor's bet navigator held by the mouse on an incomplete bet, with real message boxes: a box
// opened from the navigator's change handler must not leave the navigator repeating underneath it.
#include "apoyo/cajas.h"
#include "syndicates/crea_comun.h"

namespace {

using namespace editor;

class CreaRepeticion : public Ventanas {};

// One press on each arrow of the navigator with the shown bet incomplete gives one box, and the
// navigator stays on the bet. The box stays open longer than the scroll bar waits before it repeats.
TEST_F(CreaRepeticion, OneClickOnAnArrowGivesOneBox) {
  abreDatos({penaDe("TRES", "Jueves", HOY.addDays(-20),
                    {{1, 2, 3, 4, 5, 6}, {10, 11, 12, 13, 14, 15}, {20, 21, 22, 23, 24, 25}})});
  Crea& c = editaPena(1);
  c.HScroll1->setValue(2);
  struct Caso {
    std::vector<int> pulsados;  // numbers clicked on the grid, each one marks or unmarks
    bool derecha;
    const char* texto;
  };
  const Caso casos[] = {{{13}, true, "¡¡ Faltan números !!. Por favor, completa la apuesta."},
                        {{13, 40}, false, "¡¡ Sobran números !!. Por favor, completa la apuesta."},
                        {{}, true, "¡¡ Sobran números !!. Por favor, completa la apuesta."}};
  const QByteArray antes = apuestasDat();
  for (const Caso& caso : casos) {
    SCOPED_TRACE(caso.texto);
    for (int n : caso.pulsados) pulsa(n);
    CajasReales cajas(700);
    // A runaway navigator is stopped so that the test ends and reports it.
    cajas.alPasarse(3, [&c] { QTest::mouseRelease(c.HScroll1, Qt::LeftButton); });
    QScrollBar* s = c.HScroll1;
    const QPoint flecha(caso.derecha ? s->width() - 4 : 4, s->height() / 2);
    QTest::mousePress(s, Qt::LeftButton, {}, flecha);
    QTest::qWait(800);  // a repeat would start here if the press were still held
    QTest::mouseRelease(s, Qt::LeftButton, {}, flecha);
    EXPECT_EQ(cajas.textos().join(" | ").toStdString(), caso.texto);
    EXPECT_EQ(s->value(), 2);
    EXPECT_EQ(c.Text2->text(), "2");
  }
  EXPECT_EQ(apuestasDat(), antes);
}

}  // namespace
