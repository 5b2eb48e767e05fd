// Runs the tests inside a QApplication, offscreen unless a platform was chosen.
#include <QApplication>
#include <QSslSocket>
#include <gtest/gtest.h>

#include "apoyo/servidor.h"
#include "plataforma/fuentes.h"
#include "plataforma/traducciones.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // The fonts the program shows, so that the tests measure what a user sees.
  plataforma::fijaFuentes();
  ::testing::InitGoogleTest(&argc, argv);
  // Qt's own texts in Spanish, as the program loads them.
  plataforma::cargaTraducciones();
  // No test reaches the internet: whatever a test does not send to its own server goes nowhere.
  aislaRed();
  // Qt loads its TLS backend on first use; the test servers' threads and the program's thread must
  // not race to load it, or one of them finds no backend at all.
  QSslSocket::supportsSsl();
  return RUN_ALL_TESTS();
}
