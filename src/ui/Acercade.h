#pragma once
// The About box: the program's name and version, the operating system it runs on, and a link to
// the program's home page.
#include <QWidget>

class QLabel;
namespace plataforma {
class Etiqueta;
}

class Acercade : public QWidget {
  Q_OBJECT
 public:
  Acercade();

  // Loads the window the first time (Form_Load), then shows it modeless.
  void Show();

  void Form_Load();
  void Label2_Click();

  // "platform.major.minor" of the running system, for example 2.10.0.
  static QString NativeGetVersion();
  // The Windows name of a version text, or the text itself when it names none.
  static QString VersionToName(const QString& sVersion);

  QLabel* Label4 = nullptr;              // the operating system
  plataforma::Etiqueta* Label2 = nullptr;  // the home page

 private:
  bool cargado_ = false;
};

// The one About box, created on first use.
Acercade& acercade();
Acercade* acercadeSiExiste();
void descargaAcercade();
