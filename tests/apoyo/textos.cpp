#include "apoyo/textos.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>

namespace {

// Lines of a text as the control lays them out, one under the other.
QSize tamanoTexto(const QWidget* w, const QString& texto) {
  const QFontMetrics fm = w->fontMetrics();
  int ancho = 0;
  const QStringList lineas = texto.split(QLatin1Char('\n'));
  for (const QString& l : lineas) ancho = std::max(ancho, fm.horizontalAdvance(l));
  return {ancho, fm.height() * int(lineas.size())};
}

void mide(std::vector<TextoCortado>& r, const QWidget* w, const QString& texto, QSize necesario,
          QSize disponible) {
  if (necesario.width() > disponible.width())
    r.push_back({w, w->metaObject()->className(), texto, necesario.width(), disponible.width(), false});
  else if (necesario.height() > disponible.height())
    r.push_back({w, w->metaObject()->className(), texto, necesario.height(), disponible.height(), true});
}

void etiqueta(std::vector<TextoCortado>& r, const QLabel* l) {
  if (l->text().isEmpty()) return;
  // A label's size hints measure its text with its margins, indent and frame as it lays it out.
  if (l->wordWrap()) {
    // The widest word that no line can break, and the lines the text takes in the label's width.
    mide(r, l, l->text(), {l->minimumSizeHint().width(), l->heightForWidth(l->width())}, l->size());
    return;
  }
  mide(r, l, l->text(), l->sizeHint(), l->size());
}

void boton(std::vector<TextoCortado>& r, const QPushButton* b) {
  if (b->text().isEmpty()) return;
  // The style's size for the text alone; some styles also give buttons a least width, which says
  // nothing about the text, so margins are taken from the style and added here.
  const QStyle* s = b->style();
  const int margen = 2 * s->pixelMetric(QStyle::PM_ButtonMargin, nullptr, b) +
                     2 * s->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, b);
  const QSize t = b->fontMetrics().size(Qt::TextShowMnemonic, b->text());
  mide(r, b, b->text(), {t.width() + margen, t.height()}, b->size());
}

void marca(std::vector<TextoCortado>& r, const QAbstractButton* b) {
  if (b->text().isEmpty()) return;
  // sizeHint of a check box or option button is the indicator, the gap and the text.
  mide(r, b, b->text(), b->sizeHint(), b->size());
}

void marco(std::vector<TextoCortado>& r, const QGroupBox* g) {
  if (g->title().isEmpty()) return;
  mide(r, g, g->title(), {g->minimumSizeHint().width(), 0}, g->size());
}

void caja(std::vector<TextoCortado>& r, const QLineEdit* e) {
  if (e->text().isEmpty() || !e->isReadOnly() || e->echoMode() != QLineEdit::Normal) return;
  // The frame, the text margins and the two pixels a line edit keeps on each side.
  const QMargins m = e->textMargins();
  const int marco = e->hasFrame() ? 2 * e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, e) : 0;
  const int ancho = e->fontMetrics().horizontalAdvance(e->text()) + m.left() + m.right() + marco + 4;
  mide(r, e, e->text(), {ancho, e->fontMetrics().height()}, e->size());
}

void combo(std::vector<TextoCortado>& r, const QComboBox* c) {
  if (c->currentText().isEmpty()) return;
  QStyleOptionComboBox o;
  o.initFrom(c);
  o.editable = c->isEditable();
  o.frame = c->hasFrame();
  o.currentText = c->currentText();
  const QRect campo = c->style()->subControlRect(QStyle::CC_ComboBox, &o, QStyle::SC_ComboBoxEditField, c);
  const QSize t = tamanoTexto(c, c->currentText());
  mide(r, c, c->currentText(), t, campo.size());
}

}  // namespace

std::vector<TextoCortado> textosCortados(QWidget* ventana) {
  std::vector<TextoCortado> r;
  QList<QWidget*> controles = ventana->findChildren<QWidget*>();
  controles.prepend(ventana);
  for (QWidget* w : controles) {
    // Style sheets set fonts when the control is polished.
    w->ensurePolished();
    if (auto* l = qobject_cast<QLabel*>(w)) etiqueta(r, l);
    else if (auto* b = qobject_cast<QPushButton*>(w)) boton(r, b);
    else if (auto* c = qobject_cast<QCheckBox*>(w)) marca(r, c);
    else if (auto* o = qobject_cast<QRadioButton*>(w)) marca(r, o);
    else if (auto* g = qobject_cast<QGroupBox*>(w)) marco(r, g);
    else if (auto* e = qobject_cast<QLineEdit*>(w)) {
      if (!qobject_cast<QComboBox*>(e->parentWidget())) caja(r, e);
    } else if (auto* k = qobject_cast<QComboBox*>(w)) combo(r, k);
  }
  return r;
}

QString describe(const std::vector<TextoCortado>& cortados) {
  QString r;
  for (const TextoCortado& c : cortados) {
    const QPoint en = c.control->mapTo(c.control->window(), QPoint(0, 0));
    r += QStringLiteral("%1 at (%2,%3) \"%4\": %5 %6 px in %7\n")
             .arg(c.clase)
             .arg(en.x())
             .arg(en.y())
             .arg(c.texto)
             .arg(c.alto ? QStringLiteral("high") : QStringLiteral("wide"))
             .arg(c.necesario)
             .arg(c.disponible);
  }
  return r;
}

int filasVisibles(QAbstractItemView* lista) {
  QAbstractItemModel* m = lista->model();
  const int alto = lista->viewport()->height();
  int n = 0;
  for (int f = 0; f < m->rowCount(); ++f) {
    const QRect celda = lista->visualRect(m->index(f, 0));
    if (celda.top() < 0) continue;  // scrolled away
    if (celda.bottom() >= alto) break;
    ++n;
  }
  return n;
}

std::vector<TextoCortado> celdasCortadas(QTableView* lista, bool seDesplaza) {
  std::vector<TextoCortado> r;
  QAbstractItemModel* m = lista->model();
  const QHeaderView* cabecera = lista->horizontalHeader();
  // The margins an item view and a header keep on each side of a text.
  const int margen = lista->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, lista) + 1;
  const int margenTitulo = lista->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, cabecera);
  for (int c = 0; c < m->columnCount(); ++c) {
    const int x = cabecera->sectionViewportPosition(c);
    int visible = cabecera->sectionSize(c);
    if (!seDesplaza) visible = std::min(visible, lista->viewport()->width() - x);
    const QString titulo = m->headerData(c, Qt::Horizontal).toString();
    const int anchoTitulo = cabecera->fontMetrics().horizontalAdvance(titulo) + 2 * margenTitulo;
    if (!titulo.isEmpty() && anchoTitulo > visible)
      r.push_back({lista, QStringLiteral("title %1").arg(c), titulo, anchoTitulo, visible, false});
    for (int f = 0; f < m->rowCount(); ++f) {
      const QModelIndex i = m->index(f, c);
      const QString texto = i.data().toString();
      if (texto.isEmpty()) continue;
      const QVariant fuente = i.data(Qt::FontRole);
      // In fractions of a pixel, as the view lays the text out: a text wider by any fraction is cut.
      const QFontMetricsF fm(fuente.isValid() ? fuente.value<QFont>() : lista->font());
      const int ancho = int(std::ceil(fm.horizontalAdvance(texto))) + 2 * margen;
      if (ancho > visible)
        r.push_back({lista, QStringLiteral("cell %1,%2").arg(f + 1).arg(c), texto, ancho, visible, false});
    }
  }
  return r;
}

void compruebaTextos(QWidget* ventana, const QString& nombre) {
  QPointer<QWidget> viva(ventana);
  ventana->show();
  // Column widths and scroll bars settle on timers of the views.
  QTest::qWait(20);
  if (!viva) {
    ADD_FAILURE() << nombre.toStdString() << " closed itself";
    return;
  }
  guardaImagen(ventana, nombre);
  const auto cortados = textosCortados(ventana);
  EXPECT_TRUE(cortados.empty()) << nombre.toStdString() << ":\n" << describe(cortados).toStdString();
}

void guardaImagen(QWidget* ventana, const QString& nombre) {
  const QString carpeta = qEnvironmentVariable("BOLVANTA_IMAGENES");
  if (carpeta.isEmpty()) return;
  ventana->grab().save(carpeta + nombre + QStringLiteral(".png"));
}
