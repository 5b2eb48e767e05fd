// Message boxes: the responder seam that window tests rely on, and the real box a user sees.
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <gtest/gtest.h>

#include "plataforma/msgbox.h"

using namespace plataforma;

namespace {

class MsgBoxPrueba : public ::testing::Test {
 protected:
  void SetUp() override {
    quitaRespondedor();
    reiniciaCajas();
  }
  void TearDown() override {
    quitaRespondedor();
    reiniciaCajas();
  }
};

TEST_F(MsgBoxPrueba, ElRespondedorRegistraCadaCajaYDaLasRespuestasEnOrden) {
  Respondedor respondedor{vbNo, vbCancel};
  EXPECT_EQ(MsgBox("¿Borrar la peña?", vbYesNo + vbQuestion + vbDefaultButton2, "Borrar"), vbNo);
  EXPECT_EQ(MsgBox("¿Guardar <cambios>?", vbYesNoCancel), vbCancel);
  EXPECT_EQ(MsgBox("Hecho"), vbOK);
  EXPECT_EQ(respondedor.pendientes(), 0);

  ASSERT_EQ(respondedor.cajas().size(), 3u);
  EXPECT_EQ(respondedor.cajas()[0].texto, QString("¿Borrar la peña?"));
  EXPECT_EQ(respondedor.cajas()[0].titulo, QString("Borrar"));
  EXPECT_EQ(respondedor.cajas()[0].estilo, 4 + 32 + 256);
  // Without a title the box shows the program's name, and that is what is recorded.
  EXPECT_EQ(respondedor.cajas()[1].titulo, QString("Bolvanta"));
  EXPECT_EQ(respondedor.cajas()[1].texto, QString("¿Guardar <cambios>?"));
  EXPECT_EQ(respondedor.cajas()[2].estilo, 0);

  // The global record sees the same boxes.
  ASSERT_EQ(cajasMostradas().size(), 3u);
  EXPECT_EQ(cajasMostradas()[2].texto, QString("Hecho"));
  reiniciaCajas();
  EXPECT_TRUE(cajasMostradas().empty());
}

TEST_F(MsgBoxPrueba, SinRespuestaSeTomaElPrimerBotonDeCadaJuego) {
  fijaRespondedor([](const Caja&) { return 0; });
  EXPECT_EQ(MsgBox("a", vbOKOnly), vbOK);
  EXPECT_EQ(MsgBox("a", vbOKCancel + vbDefaultButton2), vbOK);
  EXPECT_EQ(MsgBox("a", vbAbortRetryIgnore + vbCritical), vbAbort);
  EXPECT_EQ(MsgBox("a", vbYesNoCancel + vbExclamation), vbYes);
  EXPECT_EQ(MsgBox("a", vbYesNo + vbInformation), vbYes);
  EXPECT_EQ(MsgBox("a", vbRetryCancel), vbRetry);
  EXPECT_EQ(cajasMostradas().size(), 6u);

  // An answer no button of the box could give is not passed on.
  fijaRespondedor([](const Caja&) { return vbYes; });
  EXPECT_EQ(MsgBox("a", vbOKCancel), vbOK);
  EXPECT_EQ(MsgBox("a", vbRetryCancel), vbRetry);
  EXPECT_EQ(MsgBox("a", vbAbortRetryIgnore), vbAbort);
}

TEST_F(MsgBoxPrueba, UnRespondedorDeAmbitoDevuelveElAnteriorAlTerminar) {
  fijaRespondedor([](const Caja&) { return vbNo; });
  {
    Respondedor interior{vbCancel};
    EXPECT_EQ(MsgBox("x", vbYesNoCancel), vbCancel);
    EXPECT_EQ(MsgBox("x", vbYesNoCancel), vbYes);  // script used up
    interior.agrega(vbIgnore);
    EXPECT_EQ(MsgBox("x", vbAbortRetryIgnore), vbIgnore);
    EXPECT_EQ(interior.cajas().size(), 3u);
  }
  EXPECT_EQ(MsgBox("x", vbYesNo), vbNo);
  EXPECT_EQ(cajasMostradas().size(), 4u);
}

// ---- The real box, driven from a timer while it runs modally.

struct Vista {
  QString titulo;
  QString texto;
  QMessageBox::Icon icono = QMessageBox::NoIcon;
  QStringList botones;  // left to right
  QString porDefecto;
};

Vista observa(QMessageBox* caja) {
  Vista v;
  v.titulo = caja->windowTitle();
  v.texto = caja->text();
  v.icono = caja->icon();
  QList<QAbstractButton*> botones = caja->buttons();
  std::sort(botones.begin(), botones.end(), [](QAbstractButton* a, QAbstractButton* b) {
    return a->mapToGlobal(QPoint()).x() < b->mapToGlobal(QPoint()).x();
  });
  for (QAbstractButton* b : botones) v.botones << b->text();
  if (caja->defaultButton()) v.porDefecto = caja->defaultButton()->text();
  return v;
}

QAbstractButton* boton(QMessageBox* caja, const QString& texto) {
  for (QAbstractButton* b : caja->buttons()) {
    if (b->text() == texto) return b;
  }
  return nullptr;
}

TEST_F(MsgBoxPrueba, LaCajaRealMuestraBotonesEnEspanolEnSuOrden) {
  {
    Respondedor r{vbOK};  // once it is gone, boxes are real again and nothing is recorded
    MsgBox("antes");
  }
  reiniciaCajas();
  Vista vista;
  QTimer::singleShot(0, [&] {
    auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(caja, nullptr);
    vista = observa(caja);
    boton(caja, "Cancelar")->click();
  });
  EXPECT_EQ(MsgBox("Hay <3> peñas sin guardar", vbYesNoCancel + vbQuestion + vbDefaultButton2), vbCancel);
  EXPECT_EQ(vista.titulo, QString("Bolvanta"));
  EXPECT_EQ(vista.texto, QString("Hay <3> peñas sin guardar"));
  EXPECT_EQ(vista.icono, QMessageBox::Question);
  EXPECT_EQ(vista.botones, QStringList({"Sí", "No", "Cancelar"}));
  EXPECT_EQ(vista.porDefecto, QString("No"));

  QTimer::singleShot(0, [&] {
    auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(caja, nullptr);
    vista = observa(caja);
    boton(caja, "Omitir")->click();
  });
  EXPECT_EQ(MsgBox("Error de lectura", vbAbortRetryIgnore + vbCritical, "Disco"), vbIgnore);
  EXPECT_EQ(vista.titulo, QString("Disco"));
  EXPECT_EQ(vista.icono, QMessageBox::Critical);
  EXPECT_EQ(vista.botones, QStringList({"Anular", "Reintentar", "Omitir"}));
  EXPECT_EQ(vista.porDefecto, QString("Anular"));
  EXPECT_TRUE(cajasMostradas().empty());
}

TEST_F(MsgBoxPrueba, EscapeCancelaSoloDondeHayComoCancelar) {
  auto pulsaEscape = [] {
    QWidget* caja = QApplication::activeModalWidget();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(caja, &escape);
  };

  QTimer::singleShot(0, pulsaEscape);
  EXPECT_EQ(MsgBox("a", vbOKCancel + vbExclamation), vbCancel);

  QTimer::singleShot(0, pulsaEscape);
  EXPECT_EQ(MsgBox("a", vbOKOnly + vbInformation), vbOK);

  // A Yes/No question must be answered: Escape leaves the box open.
  bool siguioAbierta = false;
  QTimer::singleShot(0, [&] {
    pulsaEscape();
    auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    siguioAbierta = caja && caja->isVisible();
    if (caja) boton(caja, "No")->click();
  });
  EXPECT_EQ(MsgBox("a", vbYesNo), vbNo);
  EXPECT_TRUE(siguioAbierta);
}

}  // namespace
