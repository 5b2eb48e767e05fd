#pragma once
// The report engine of the program. A report command sets the data files, the destination, the
// layout file and the connection text, and sets the action to 1 to run the report. The engine reads the layout (its format is described
// in disenoinforme.cpp), reads the report database with the password of the connection text and
// shows the report in its own window, from where it is printed or saved as PDF.
//
// A failed run raises plataforma::Error with the engine's numbers (informes::ERR_...).
#include <QString>
#include <vector>

#include "statistics/disenoinforme.h"

class VentanaInforme;

class MotorInforme {
 public:
  // The report's list of data files, counted from 0. The layout's tables are read from the
  // highest entry set: the program sets entry 1.
  QString DataFiles(int indice) const;
  void setDataFiles(int indice, const QString& archivo);
  // 0 shows the report in its window; the engine has no other destination.
  int Destination() const { return destino_; }
  void setDestination(int destino) { destino_ = destino; }
  QString ReportFileName() const { return informe_; }
  void setReportFileName(const QString& archivo) { informe_ = archivo; }
  // "PWD=" and the database password; other keys are ignored.
  QString Connect() const { return conexion_; }
  void setConnect(const QString& texto) { conexion_ = texto; }
  int Action() const { return 0; }
  // 1 runs the report; other values do nothing.
  void setAction(int accion);

  // Produces the report the settings describe without showing it.
  informes::InformeLleno genera() const;
  // How many times the action ran, failed runs included.
  int ejecuciones() const { return ejecuciones_; }

  // True while a report is being produced, printed or saved; a run asked for meanwhile fails
  // with ERR_TRABAJO_EMPEZADO.
  static bool ocupado();
  class Trabajo {
   public:
    Trabajo();
    ~Trabajo();
    Trabajo(const Trabajo&) = delete;
    Trabajo& operator=(const Trabajo&) = delete;
  };

 private:
  QString clave() const;
  std::vector<QString> datos_;
  int destino_ = 0;
  QString informe_;
  QString conexion_;
  int ejecuciones_ = 0;
};
