// Qt's own texts the user meets: a text box's context menu, the standard buttons of a box and the
// file dialogs.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

#include "plataforma/dialogoarchivo.h"
#include "plataforma/error.h"
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

// Both file dialogs, the import's and the report's "Guardar PDF", in Spanish whatever the system's
// language: a folder is a "Carpeta", a size has a decimal comma, a date reads as every other date
// of the program, and no English word is left in the window.
TEST(Traducciones, FileDialogsAreSpanish) {
  ASSERT_TRUE(plataforma::cargaTraducciones());
  // The program's locale, as it starts with it; the system's stays another.
  const QLocale antes;
  QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
  const auto vuelve = qScopeGuard([&] { QLocale::setDefault(antes); });
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("sorteos")));
  const QDateTime cambiado(QDate(2025, 12, 9), QTime(10, 25));
  for (const char* nombre : {"numeros.dat", "viejo.pdf"}) {
    QFile f(dir.filePath(QLatin1String(nombre)));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(2500, 'x'));
    f.flush();
    ASSERT_TRUE(f.setFileTime(cambiado, QFileDevice::FileModificationTime));
  }
  const QStringList ingles = {"Folder", "Dec", "Look in", "File name", "Files of type", "Open", "Cancel",
                              "Save", "Name", "Size", "Type", "Date", "Modified", "Computer", "Unknown"};
  for (bool guardar : {false, true}) {
    SCOPED_TRACE(guardar ? "save" : "open");
    const QString archivo = QLatin1String(guardar ? "viejo.pdf" : "numeros.dat");
    QMap<QString, QStringList> filas;  // the list's rows by name
    QStringList textos;                // every other text of the window
    QTimer mira;
    int esperas = 0;
    QObject::connect(&mira, &QTimer::timeout, [&] {
      auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      auto* vista = d ? d->findChild<QTreeView*>(QStringLiteral("treeView")) : nullptr;
      if (!vista) return;
      QAbstractItemModel* m = vista->model();
      filas.clear();
      for (int r = 0; r < m->rowCount(vista->rootIndex()); ++r) {
        QStringList celdas;
        for (int c = 0; c < m->columnCount(vista->rootIndex()); ++c)
          celdas << m->index(r, c, vista->rootIndex()).data().toString();
        filas[celdas.value(0)] = celdas;
      }
      const bool completo = filas.value(QStringLiteral("sorteos")).value(2).size() > 0 &&
                            filas.value(archivo).value(2).size() > 0;
      if (!completo && ++esperas < 250) return;
      mira.stop();
      textos.clear();
      for (int c = 0; c < m->columnCount(vista->rootIndex()); ++c)
        textos << m->headerData(c, Qt::Horizontal).toString();
      for (QLabel* l : d->findChildren<QLabel*>()) textos << l->text();
      for (QAbstractButton* b : d->findChildren<QAbstractButton*>()) textos << b->text() << b->toolTip();
      for (QComboBox* c : d->findChildren<QComboBox*>())
        for (int i = 0; i < c->count(); ++i) textos << c->itemText(i);
      if (qEnvironmentVariableIsSet("BOLVANTA_CAPTURAS"))
        d->grab().save(QStringLiteral("/tmp/i20b-dialogo-%1.png").arg(guardar ? "guardar" : "abrir"));
      d->reject();
    });
    mira.start(20);
    if (guardar) {
      EXPECT_EQ(plataforma::archivoParaGuardar(nullptr, QStringLiteral("Guardar el informe en PDF"),
                                               dir.filePath(QStringLiteral("informe.pdf")),
                                               QStringLiteral("Documentos PDF (*.pdf)")),
                QString());
    } else {
      plataforma::DialogoArchivo d;
      d.InitDir = dir.path();
      d.DialogTitle = QString::fromUtf8("Añadir sorteos");
      d.Filter = QStringLiteral("Archivos de sorteos|numeros.dat|Todos|*.*");
      try {
        d.ShowOpen();
        ADD_FAILURE() << "Cancel is an error";
      } catch (const plataforma::Error& e) {
        EXPECT_EQ(e.numero(), plataforma::ERR_DIALOGO_CANCELADO);
      }
    }
    ASSERT_TRUE(filas.contains(archivo)) << filas.keys().join('|').toStdString();
    EXPECT_EQ(filas[QStringLiteral("sorteos")].value(2), QStringLiteral("Carpeta"));
    EXPECT_EQ(filas[archivo].value(1), QStringLiteral("2,44 KiB"));
    EXPECT_EQ(filas[archivo].value(3), QStringLiteral("09/12/2025 10:25"));
    for (const QStringList& fila : filas) textos << fila;
    for (const QString& palabra : ingles) {
      const QRegularExpression suelta(QStringLiteral("\\b%1\\b").arg(palabra));
      for (const QString& t : textos) EXPECT_FALSE(QString(t).remove('&').contains(suelta)) << t.toStdString();
    }
  }
}
