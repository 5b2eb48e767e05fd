#pragma once
// The report engine's window: the report as it will print, with "Imprimir" (the system print
// dialog) and "Guardar PDF". One window; a new report replaces the one shown.
#include <QWidget>
#include <functional>

#include "statistics/disenoinforme.h"

class QPrinter;
class QPushButton;
class QTextBrowser;

class VentanaInforme : public QWidget {
  Q_OBJECT
 public:
  VentanaInforme();

  void muestra(const informes::InformeLleno& informe);
  const informes::InformeLleno& informe() const { return informe_; }

  void Imprimir_Click();
  void GuardarPdf_Click();

  QTextBrowser* Vista = nullptr;
  QPushButton* Imprimir = nullptr;
  QPushButton* GuardarPdf = nullptr;
  QPushButton* Cerrar = nullptr;

  // The system dialogs, replaceable by tests: the print dialog answers whether to print on the
  // printer it set up; the save dialog gives the chosen file, empty when cancelled.
  using DialogoImpresora = std::function<bool(QPrinter&, QWidget*)>;
  using DialogoGuardar = std::function<QString(QWidget*, const QString& propuesto)>;
  static void fijaDialogos(DialogoImpresora impresora, DialogoGuardar guardar);
  static void dialogosDelSistema();

 private:
  informes::InformeLleno informe_;
};

VentanaInforme& ventanaInforme();
VentanaInforme* ventanaInformeSiExiste();
void descargaVentanaInforme();
