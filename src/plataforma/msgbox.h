#pragma once
// Message boxes as the program asks for them: one call with text, a style made of button set, icon
// and default button, and a title; the answer is the number of the button pressed.
#include <QString>
#include <deque>
#include <functional>
#include <initializer_list>
#include <vector>

namespace plataforma {

// Button sets.
constexpr int vbOKOnly = 0;
constexpr int vbOKCancel = 1;
constexpr int vbAbortRetryIgnore = 2;
constexpr int vbYesNoCancel = 3;
constexpr int vbYesNo = 4;
constexpr int vbRetryCancel = 5;
// Icons.
constexpr int vbCritical = 16;
constexpr int vbQuestion = 32;
constexpr int vbExclamation = 48;
constexpr int vbInformation = 64;
// Default button.
constexpr int vbDefaultButton1 = 0;
constexpr int vbDefaultButton2 = 256;
constexpr int vbDefaultButton3 = 512;
// Answers.
constexpr int vbOK = 1;
constexpr int vbCancel = 2;
constexpr int vbAbort = 3;
constexpr int vbRetry = 4;
constexpr int vbIgnore = 5;
constexpr int vbYes = 6;
constexpr int vbNo = 7;

// One box as the user would see it; the title is the one shown (never empty).
struct Caja {
  QString texto;
  QString titulo;
  int estilo = 0;
};

// Shows a modal box and returns the answer (vbOK ... vbNo).
int MsgBox(const QString& texto, int estilo = 0, const QString& titulo = QString());

// The answers a box can give, in the order its buttons appear, first one first.
std::vector<int> respuestasPosibles(int estilo);

// While a responder is set no window appears: each box is recorded and the responder answers it;
// an answer of 0 means "the first button", as a user pressing Enter on an untouched box would.
void fijaRespondedor(std::function<int(const Caja&)> respondedor);
void quitaRespondedor();
const std::vector<Caja>& cajasMostradas();
void reiniciaCajas();

// Answers boxes from a script, in order, for as long as it lives; once the script runs out every box
// gets its first button. Restores the responder that was set before it.
class Respondedor {
 public:
  Respondedor(std::initializer_list<int> respuestas = {});
  ~Respondedor();
  Respondedor(const Respondedor&) = delete;
  Respondedor& operator=(const Respondedor&) = delete;

  void agrega(int respuesta) { respuestas_.push_back(respuesta); }
  const std::vector<Caja>& cajas() const { return cajas_; }
  int pendientes() const { return static_cast<int>(respuestas_.size()); }

 private:
  std::deque<int> respuestas_;
  std::vector<Caja> cajas_;
  std::function<int(const Caja&)> anterior_;
};

}  // namespace plataforma
