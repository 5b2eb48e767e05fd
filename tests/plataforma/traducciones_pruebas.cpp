// Qt's own texts the user meets: a text box's context menu and the standard buttons of a box.
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

#include "plataforma/traducciones.h"

TEST(Traducciones, ContextMenuAndStandardButtonsAreSpanish) {
  ASSERT_TRUE(plataforma::cargaTraducciones());
  QLineEdit caja;
  std::unique_ptr<QMenu> menu(caja.createStandardContextMenu());
  QStringList textos;
  for (QAction* a : menu->actions())
    if (!a->isSeparator()) textos << a->text().remove('&').section('\t', 0, 0);
  EXPECT_TRUE(textos.contains(QStringLiteral("Copiar"))) << textos.join('|').toStdString();
  EXPECT_TRUE(textos.contains(QStringLiteral("Seleccionar todo"))) << textos.join('|').toStdString();
  for (const QString& t : textos) EXPECT_FALSE(t.contains(QStringLiteral("Copy"))) << t.toStdString();

  QMessageBox caja2;
  caja2.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  EXPECT_EQ(caja2.button(QMessageBox::Yes)->text().remove('&'), QStringLiteral("Sí"));
  EXPECT_EQ(caja2.button(QMessageBox::Cancel)->text().remove('&'), QStringLiteral("Cancelar"));
}
