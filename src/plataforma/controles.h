#pragma once
// Small controls the windows need beyond what Qt offers as it is.
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <vector>

namespace plataforma {

// The system button-face colour, as the program writes it (&H8000000F).
constexpr quint32 COLOR_BOTON = 0x8000000F;

// A label that reports clicks, as the program's labels do.
class Etiqueta : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;
  // Blue, underlined and with the hand pointer, as a label that opens or closes something.
  void comoEnlace();

 Q_SIGNALS:
  void Click();

 protected:
  void mouseReleaseEvent(QMouseEvent* e) override;
};

// An SVG picture of the program's resources drawn at this size in pixels; transparent where the
// resource is missing.
QPixmap dibujoSvg(const QString& recurso, int ancho, int alto);

// A read-only text panel that reports clicks.
class CajaTexto : public QPlainTextEdit {
  Q_OBJECT
 public:
  explicit CajaTexto(QWidget* padre = nullptr);
  QString Text() const { return toPlainText(); }
  void setText(const QString& texto) { setPlainText(texto); }

 Q_SIGNALS:
  void Click();

 protected:
  void mouseReleaseEvent(QMouseEvent* e) override;
};

// A button whose background is a colour value &HBBGGRR; COLOR_BOTON gives the normal look.
class Boton : public QPushButton {
  Q_OBJECT
 public:
  using QPushButton::QPushButton;
  quint32 BackColor() const { return fondo_; }
  void setBackColor(quint32 color);

 private:
  quint32 fondo_ = COLOR_BOTON;
};

// The pictures of a window, numbered from 1 as the program refers to them.
class ListaImagenes {
 public:
  void agrega(const QPixmap& imagen) { imagenes_.push_back(imagen); }
  QPixmap imagen(int numero) const;
  int cuenta() const { return static_cast<int>(imagenes_.size()); }

 private:
  std::vector<QPixmap> imagenes_;
};

// A picture that can be clicked, remembering which picture of its list it shows.
class Imagen : public QLabel {
  Q_OBJECT
 public:
  explicit Imagen(QWidget* padre = nullptr);
  int Picture() const { return numero_; }
  void setPicture(const ListaImagenes& lista, int numero);

 Q_SIGNALS:
  void Click();
  void MouseMove();

 protected:
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;

 private:
  int numero_ = 0;
};

// A label for texts without blanks, such as numbers joined by hyphens: its lines break after any
// hyphen or blank, never inside a number, where a label breaks only between words.
class EtiquetaGuiones : public QLabel {
  Q_OBJECT
 public:
  explicit EtiquetaGuiones(QWidget* padre = nullptr);
  // The lines the text takes in this many pixels.
  QStringList lineas(int ancho) const;
  int heightForWidth(int ancho) const override;
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* e) override;
};

}  // namespace plataforma
