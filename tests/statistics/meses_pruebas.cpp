// The months typed in the settings dialog and the statistics: the sliders end on the value typed,
// the count follows the period the boxes show, and a digit on the way to a number leaves nothing
// behind, wherever the generator stands.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <QtEndian>
#include <gtest/gtest.h>

#include "apoyo/carpeta.h"
#include "apoyo/datos.h"
#include "plataforma/fechas.h"
#include "plataforma/msgbox.h"
#include "ui/Configurar.h"
#include "ui/Principal.h"

namespace {

// Sunday 1 March 2026, 08:00. One stored draw in each band of months, oldest first: 2 months reach
// back to 30 December, 12 to 28 February 2025, 24 to 28 February 2024, 36 to 27 February 2023.
const QDateTime AHORA(QDate(2026, 3, 1), QTime(8, 0));
std::vector<Sorteo> sorteos() {
  return {sorteoDe(QDate(2012, 5, 17)),   // Thursday, within 999 months
          sorteoDe(QDate(2023, 9, 14)),   // within 36
          sorteoDe(QDate(2024, 10, 17)),  // within 24
          sorteoDe(QDate(2025, 8, 14)),   // within 12
          sorteoDe(QDate(2026, 1, 10)),   // Saturday, within 2
          sorteoDe(QDate(2026, 2, 19))};  // within 2
}

// The draws of the last `meses` months among them.
int dentroDe(int meses) { return meses <= 2 ? 2 : meses <= 12 ? 3 : meses <= 24 ? 4 : meses <= 36 ? 5 : 6; }

enum Paso { PANEL, PASO1, PASO2 };

}  // namespace

TEST(MesesAjustes, TheSlidersEndOnTheValueTypedAndTheCountFollowsTheBoxes) {
  struct Caso {
    const char* tecleado;
    int meses;  // what the settings store
  };
  // Letters are put back at once; a number beyond 999 months stops at 999.
  const Caso tecleados[] = {{"1", 2},   {"2", 2},     {"12", 12},   {"24", 24},
                            {"36", 36}, {"999", 999}, {"5000", 999}, {"abc", 24}};
  for (bool todos : {true, false}) {
    for (Paso paso : {PANEL, PASO1, PASO2}) {
      for (const Caso& t : tecleados) {
        SCOPED_TRACE(QStringLiteral("todos %1, paso %2, tecleado %3").arg(todos).arg(paso).arg(t.tecleado).toStdString());
        CarpetaPrograma carpeta;
        plataforma::Respondedor respuestas;
        plataforma::fijaReloj(AHORA);
        escribeSorteos(carpeta, sorteos());
        Principal& p = principal();
        p.Form_Load();
        p.Check3[5]->setChecked(todos);
        const int antes = todos ? 6 : dentroDe(24);
        ASSERT_EQ(p.Label7->text(), QStringLiteral("TOTAL: %1 sorteos.").arg(antes));
        p.SSTab1->setCurrentIndex(4);
        if (paso != PANEL) p.Command9_Click();
        if (paso == PASO2) p.Slider2->setValue(6);

        // The user selects the months and types over them, key by key.
        Configurar& c = configurar();
        c.Form_Load();
        c.Text2->selectAll();
        QTest::keyClicks(c.Text2, t.tecleado);
        // Nothing reached the statistics while the typing went on.
        for (QSlider* s : p.Slider1) EXPECT_EQ(s->maximum(), 24);
        EXPECT_EQ(p.Label7->text(), QStringLiteral("TOTAL: %1 sorteos.").arg(antes));
        if (paso == PASO1) {
          // Enter: the box shows the months stored, and they reach the statistics at once.
          QTest::keyClick(c.Text2, Qt::Key_Return);
          EXPECT_EQ(c.Text2->text(), QString::number(t.meses));
          EXPECT_EQ(p.Slider1[0]->value(), t.meses);
        }
        // Back to the main window, which closes the dialog.
        p.Form_Activate();
        EXPECT_EQ(configurarSiExiste(), nullptr);

        EXPECT_EQ(qFromLittleEndian<qint16>(carpeta.lee("nums.ini").constData() + 16), t.meses);
        for (QSlider* s : p.Slider1) {
          EXPECT_EQ(s->maximum(), t.meses);
          EXPECT_EQ(s->value(), t.meses);
        }
        for (int k : {6, 8}) {
          EXPECT_EQ(p.Check3[k]->text(), QString::fromUtf8("Últimos %1 meses").arg(t.meses));
          EXPECT_LE(p.Check3[k]->sizeHint().width(), p.Check3[k]->width());  // the whole caption shows
        }
        for (int k : {5, 7}) EXPECT_EQ(p.Check3[k]->isChecked(), todos);
        const int ahora = todos ? 6 : dentroDe(t.meses);
        EXPECT_EQ(p.Label7->text(), QStringLiteral("TOTAL: %1 sorteos.").arg(ahora));
        EXPECT_TRUE(p.Label21->text().endsWith(QStringLiteral(", en total, %1 sorteos en la base de datos.").arg(ahora)))
            << p.Label21->text().toStdString();

        // The generator keeps its step while the count stands; a new count sends it back to step 1,
        // where no kind picture hands on the ranking of the draws no longer shown.
        const bool vuelve = paso == PASO2 && ahora != antes;
        EXPECT_EQ(p.Slider2->value(), paso == PASO2 && !vuelve ? 6 : 0);
        EXPECT_EQ(p.Image3[1]->isEnabled(), paso == PASO2 && !vuelve);
        EXPECT_EQ(p.Check3[7]->isEnabled(), paso != PASO2 || vuelve);
        EXPECT_EQ(p.Command9->isHidden(), paso != PANEL);
      }
    }
  }
}
